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
    // The next save dialog returns `path`; with none queued it is cancelled.
    void chooseFile(const QString& path) { files_.push_back(path); }
    // The paths the save dialogs were opened at, in order.
    const std::vector<QString>& fileSuggestions() const { return suggestions_; }
    // The next progress dialog is cancelled once it has been told of `calls` steps.
    void cancelProgressAfter(int calls) { cancelAfter_ = calls; }
    const std::vector<QString>& foldersOpened() const { return folders_; }
    // Labels of the progress dialogs shown, in order.
    const std::vector<QString>& progressShown() const { return progress_; }
    const std::vector<Box>& shown() const { return shown_; }
    // The texts shown, in order.
    std::vector<QString> texts() const;
    void clear() { shown_.clear(); }

    void refusal(QWidget* owner, const QString& text) override { shown_.push_back({Kind::Refusal, text, owner}); }
    bool confirm(QWidget* owner, const QString& text) override;
    void information(QWidget* owner, const QString& text) override { shown_.push_back({Kind::Information, text, owner}); }
    void notice(QWidget* owner, const QString& text) override { shown_.push_back({Kind::Notice, text, owner}); }
    void standardError(QWidget* owner, const QString& text) override { shown_.push_back({Kind::StandardError, text, owner}); }
    QString fileToSave(QWidget* owner, const QString& caption, const QString& suggested, const QString& filter) override;
    void openFolder(const QString& path) override { folders_.push_back(path); }
    Progress progress(QWidget* owner, const QString& label) override;

private:
    std::vector<Box> shown_;
    std::deque<bool> answers_;
    std::deque<QString> files_;
    std::vector<QString> suggestions_;
    std::vector<QString> folders_;
    std::vector<QString> progress_;
    int cancelAfter_ = -1;
};

} // namespace testsupport
