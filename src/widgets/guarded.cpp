#include "guarded.h"

namespace widgets {

void showUnhandledError(QWidget* owner, const std::exception* error)
{
    const QString text = error ? QString::fromUtf8(error->what()) : QStringLiteral("发生了未知的错误");
    messageBoxesFor(owner).standardError(owner ? owner : QApplication::activeWindow(), text);
}

} // namespace widgets
