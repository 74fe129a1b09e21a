#pragma once
// A push button that opens a web address when clicked, before its clicked signal reaches
// anyone else, and shows the pointing-hand cursor over itself.

#include <QPushButton>
#include <QString>

#include <optional>

namespace windows {

class LinkButton : public QPushButton {
    Q_OBJECT

public:
    // Name of the dynamic property holding the address; a scene sets it with
    // <property name="url" stdset="0">.
    static constexpr const char* urlProperty = "url";

    // No address at first.
    explicit LinkButton(QWidget* parent = nullptr);

    std::optional<QString> url() const;
    void setUrl(const std::optional<QString>& url);

protected:
    // The pointing-hand cursor over the whole button.
    void resetCursorRects();
    // Opens url when it holds a web address. Runs on every click, ahead of the receivers of
    // clicked connected elsewhere; nothing is reported when there is nothing to open.
    void sendAction();
};

} // namespace windows
