#include "feedback_browser.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QStringDecoder>

namespace mainwindow {

FeedbackBrowser::FeedbackBrowser(QWidget* parent) : QTextBrowser(parent), network_(new QNetworkAccessManager(this))
{
    setObjectName(QStringLiteral("WebBrowser1"));
    setOpenLinks(false);
    connect(network_, &QNetworkAccessManager::finished, this, &FeedbackBrowser::arrived);
}

void FeedbackBrowser::navigate(const QUrl& url)
{
    if (pending_)
        pending_->abort();
    QNetworkRequest request(url);
    request.setTransferTimeout(10000);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    pending_ = network_->get(request);
}

void FeedbackBrowser::arrived(QNetworkReply* reply)
{
    reply->deleteLater();
    if (reply != pending_)
        return;
    pending_ = nullptr;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status >= 400) {
        setHtml(QStringLiteral("<html><head><title>无法显示此页</title></head><body><p>无法显示此页：%1</p></body></html>")
                    .arg(reply->errorString().toHtmlEscaped()));
    } else {
        const QByteArray body = reply->readAll();
        QStringDecoder decoder = QStringDecoder::decoderForHtml(body);
        setHtml(decoder.isValid() ? QString(decoder(body)) : QString::fromUtf8(body));
    }
    emit titleChanged(documentTitle()); // the document's title is the page's location name
}

} // namespace mainwindow
