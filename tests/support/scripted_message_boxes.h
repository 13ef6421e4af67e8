#pragma once

#include "widgets/message_boxes.h"

#include <QString>
#include <deque>
#include <vector>

namespace testsupport {

// Stands in for the real message boxes where a test lends it: records
// every box and answers confirmations from a queue (OK when it is empty).
class ScriptedMessageBoxes : public widgets::MessageBoxes {
public:
    enum class Kind { Refusal, Confirmation, Information, Notice, StandardError };
    struct Box {
        Kind kind;
        QString text;
        QWidget* owner;
    };

    void answer(bool ok) { answers_.push_back(ok); }
    const std::vector<Box>& shown() const { return shown_; }
    // The texts shown, in order.
    std::vector<QString> texts() const;
    void clear() { shown_.clear(); }

    void refusal(QWidget* owner, const QString& text) override { shown_.push_back({Kind::Refusal, text, owner}); }
    bool confirm(QWidget* owner, const QString& text) override;
    void information(QWidget* owner, const QString& text) override { shown_.push_back({Kind::Information, text, owner}); }
    void notice(QWidget* owner, const QString& text) override { shown_.push_back({Kind::Notice, text, owner}); }
    void standardError(QWidget* owner, const QString& text) override
    {
        shown_.push_back({Kind::StandardError, text, owner});
    }

private:
    std::vector<Box> shown_;
    std::deque<bool> answers_;
};

} // namespace testsupport
