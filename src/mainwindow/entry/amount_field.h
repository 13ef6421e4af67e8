#pragma once

#include <QClipboard>
#include <QLineEdit>

#include <functional>

namespace mainwindow {

// The amount field (Edit1), also the calculator's display. Typed characters
// pass a filter: digits, blanks and one point with at most two decimals;
// editing keys (Delete, arrows, Home/End, Ctrl+A/C/X/V/Z) work as in any
// field, and a paste is filtered like typing. Taking the focus selects the
// whole text, so typing replaces it. Enter works the calculator's "=", the
// numeric keypad's digits are its digit keys.
class AmountField : public QLineEdit {
    Q_OBJECT

public:
    explicit AmountField(QWidget* parent);

    std::function<void()> onEquals;
    std::function<void(int digit)> onKeypadDigit;

    // Whether the filter takes this character typed into the text as it is now.
    static bool accepts(const QString& text, QChar c);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void pasteFiltered(QClipboard::Mode mode);

    bool selectOnRelease_ = false; // the click that gave the focus selects all once it is done
};

} // namespace mainwindow
