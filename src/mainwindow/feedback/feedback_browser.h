#pragma once

#include <QTextBrowser>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace mainwindow {

// A small browser for the maker's feedback page: it fetches a page,
// shows it and reports the document's title when the page has arrived
// (or the title of an error page when it could not be fetched).
class FeedbackBrowser : public QTextBrowser {
    Q_OBJECT

public:
    explicit FeedbackBrowser(QWidget* parent = nullptr);
    void navigate(const QUrl& url);

signals:
    void titleChanged(const QString& title);

private:
    void arrived(QNetworkReply* reply);

    QNetworkAccessManager* network_;
    QNetworkReply* pending_ = nullptr;
};

} // namespace mainwindow
