#include "platform/core/Bundle.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>

namespace platform {

namespace {

constexpr const char* translationsDirectory = ":/i18n";
constexpr const char* translationsName = "vistrel";
constexpr const char* fallbackLanguage = "en";

QString imagePath(const QString& name) {
    return QStringLiteral(":/images/%1.svg").arg(name);
}

} // namespace

Bundle::Bundle(QString infoPath)
    : infoPath(std::move(infoPath)) {}

namespace {

std::shared_ptr<Bundle>& replacement() {
    static std::shared_ptr<Bundle> bundle;
    return bundle;
}

} // namespace

Bundle& Bundle::main() {
    if (replacement() != nullptr) {
        return *replacement();
    }
    static Bundle bundle(QStringLiteral(":/Info"));
    return bundle;
}

void Bundle::setMain(std::shared_ptr<Bundle> bundle) {
    replacement() = std::move(bundle);
}

QString Bundle::localizedString(const QString& key) const {
    const QByteArray id = key.toUtf8();
    return qtTrId(id.constData());
}

bool Bundle::installLocalization(const QLocale& locale) {
    removeLocalization();
    if (QCoreApplication::instance() == nullptr) {
        return false;
    }
    auto loaded = std::make_unique<QTranslator>();
    if (!loaded->load(locale, translationsName, "_", translationsDirectory) &&
        !loaded->load(QLocale(fallbackLanguage), translationsName, "_", translationsDirectory)) {
        return false;
    }
    QCoreApplication::installTranslator(loaded.get());
    translator = std::move(loaded);
    // Qt's own texts (the alerts' default button, say) in the same language, where Qt ships them.
    auto qtTexts = std::make_unique<QTranslator>();
    if (qtTexts->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qtTexts.get());
        qtTranslator = std::move(qtTexts);
    }
    return true;
}

void Bundle::removeLocalization() {
    // Deleting a translator also takes it out of a live application.
    translator.reset();
    qtTranslator.reset();
}

QIcon Bundle::image(const QString& name) const {
    auto found = images.find(name);
    if (found == images.end()) {
        const QString path = imagePath(name);
        found = images.emplace(name, QFile::exists(path) ? QIcon(path) : QIcon()).first;
    }
    return found->second;
}

QIcon Bundle::templateImage(const QString& name) const {
    if (const auto found = templateImages.find(name); found != templateImages.end()) {
        return found->second;
    }
    QIcon icon = image(name);
    if (!icon.isNull()) {
        icon.setIsMask(true);
    }
    templateImages.emplace(name, icon);
    return icon;
}

std::optional<QVariantMap> Bundle::infoDictionary() const {
    QFile file(infoPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject()) {
        return std::nullopt;
    }
    return document.object().toVariantMap();
}

std::optional<QString> Bundle::shortVersionString() const {
    const std::optional<QVariantMap> info = infoDictionary();
    if (!info) {
        return std::nullopt;
    }
    const QVariant value = info->value(shortVersionStringKey);
    if (value.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return value.toString();
}

} // namespace platform
