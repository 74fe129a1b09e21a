#pragma once
// The application's bundle: its localized texts, image assets and information dictionary, all
// compiled into the program as Qt resources.

#include <QIcon>
#include <QLocale>
#include <QString>
#include <QTranslator>
#include <QVariantMap>

#include <map>
#include <memory>
#include <optional>

namespace platform {

class Bundle {
public:
    // Key of the information dictionary that holds the version shown to the user.
    static constexpr const char* shortVersionStringKey = "CFBundleShortVersionString";

    // The program's own bundle, whose information dictionary is the resource ":/Info", unless a
    // test put another in its place.
    static Bundle& main();
    // Makes main() answer the given bundle; nullptr brings the program's own back.
    static void setMain(std::shared_ptr<Bundle> bundle);

    // A bundle whose information dictionary is the JSON object in the file at infoPath.
    explicit Bundle(QString infoPath);

    // The text of the key in the installed language; the key itself when no translation is
    // installed or the translation has no text for it.
    QString localizedString(const QString& key) const;

    // Installs the translation for the locale, English when there is none for it, in place of
    // any this bundle installed before. False without an application object.
    bool installLocalization(const QLocale& locale = QLocale::system());
    // Removes the translation this bundle installed, if any.
    void removeLocalization();

    // The image asset of that name; a null icon when there is none. Both kinds of image are
    // loaded once per name and then shared, so that the pixmaps Qt caches for an icon are found
    // again rather than added anew for every menu, tray icon and window the program builds.
    // Main thread.
    QIcon image(const QString& name) const;
    // The same, marked as a template: a mask whose shape matters, not its colour.
    QIcon templateImage(const QString& name) const;

    // Empty when the dictionary cannot be read or is not a JSON object.
    std::optional<QVariantMap> infoDictionary() const;
    // The dictionary's text under shortVersionStringKey; empty when absent or not a text.
    std::optional<QString> shortVersionString() const;

    Bundle(const Bundle&) = delete;
    Bundle& operator=(const Bundle&) = delete;

private:
    QString infoPath;
    std::unique_ptr<QTranslator> translator;
    std::unique_ptr<QTranslator> qtTranslator;
    mutable std::map<QString, QIcon> images;
    mutable std::map<QString, QIcon> templateImages;
};

} // namespace platform
