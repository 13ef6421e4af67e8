#include "scripted_message_boxes.h"

#include <utility>

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

QString ScriptedMessageBoxes::fileToSave(QWidget*, const QString&, const QString& suggested, const QString&)
{
    suggestions_.push_back(suggested);
    if (files_.empty())
        return {};
    QString path = files_.front();
    files_.pop_front();
    return path;
}

ScriptedMessageBoxes::Progress ScriptedMessageBoxes::progress(QWidget*, const QString& label)
{
    progress_.push_back(label);
    const int cancelAfter = std::exchange(cancelAfter_, -1);
    return [cancelAfter, calls = 0](int64_t, int64_t) mutable { return cancelAfter < 0 || ++calls < cancelAfter; };
}

std::vector<QString> ScriptedMessageBoxes::texts() const
{
    std::vector<QString> out;
    for (const Box& b : shown_)
        out.push_back(b.text);
    return out;
}

} // namespace testsupport
