#include "scripted_message_boxes.h"

namespace testsupport {

bool ScriptedMessageBoxes::confirm(QWidget* owner, const QString& text)
{
    shown_.push_back({Kind::Confirmation, text, owner});
    if (answers_.empty())
        return true;
    const bool ok = answers_.front();
    answers_.pop_front();
    return ok;
}

std::vector<QString> ScriptedMessageBoxes::texts() const
{
    std::vector<QString> out;
    for (const Box& b : shown_)
        out.push_back(b.text);
    return out;
}

} // namespace testsupport
