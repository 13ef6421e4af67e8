#include "sign_in_window.h"

#include "ledger/backup.h"
#include "ledger/error.h"
#include "ledger/schema.h"
#include "mainwindow/main_window.h"
#include "pages/sign_in_statements.h"
#include "skins/skin_applier.h"
#include "skins/skin_provider.h"
#include "widgets/click_label.h"
#include "widgets/form.h"
#include "widgets/guarded.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace app {

std::string programConnectionString()
{
    return ledger::connectionStringFor(ledger::kDatabaseFileName);
}

namespace {

constexpr const char* kDatabaseNotFound = "对不起，系统数据库源没有找到，请你重新定位系统数据库！";

widgets::ClickLabel* pictureButton(QWidget* parent, const char* name, const QString& resource, const QRect& geometry)
{
    auto* button = new widgets::ClickLabel(parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setGeometry(geometry);
    button->setPixmap(QPixmap(resource));
    return button;
}

} // namespace

SignInWindow::SignInWindow(widgets::MessageBoxes& boxes, std::unique_ptr<ledger::EarlyIntegrityCheck> earlyCheck)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), boxes_(boxes),
      earlyCheck_(std::move(earlyCheck)), ADOQuery1(ADOConnection1, "ADOQuery1"), ComboBox1(new QComboBox(this)),
      Edit2(new QLineEdit(this)), CheckBox1(new QCheckBox(this))
{
    setObjectName(QStringLiteral("F_Login"));
    widgets::lendMessageBoxes(this, boxes_);
    setWindowTitle(QStringLiteral("欢迎使用Quibo家的记账本"));
    setWindowIcon(QIcon(QStringLiteral(":/artwork/app_icon_64.png")));
    setFixedSize(470, 264);
    move(371, 241);

    auto* Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 470, 264);
    Image1->setPixmap(QPixmap(QStringLiteral(":/artwork/login_background.jpg")));
    Image1->lower(); // behind the boxes it frames

    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(232, 88, 193, 21);
    ComboBox1->setEditable(false);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(232, 120, 193, 24);
    Edit2->setEchoMode(QLineEdit::Password);
    Edit2->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // every character shows as "*"
    QFont font = Edit2->font();
    font.setPixelSize(13);
    Edit2->setFont(font);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(232, 152, 145, 17);
    CheckBox1->setText(QStringLiteral("记住用户名和密码"));
    Image2 = pictureButton(this, "Image2", QStringLiteral(":/artwork/button_ok.jpg"), QRect(232, 176, 81, 33));
    Image3 = pictureButton(this, "Image3", QStringLiteral(":/artwork/button_cancel.jpg"), QRect(344, 176, 81, 33));
    setTabOrder(Edit2, ComboBox1);
    setTabOrder(ComboBox1, CheckBox1);
    // Enter in the password box signs in (whatever the shift state); Enter
    // anywhere else does nothing.
    widgets::onKeyPress(Edit2, [this](QKeyEvent* event) {
        if (!widgets::isEnter(event))
            return false;
        SignIn();
        return true;
    });
    connect(Image2, &widgets::ClickLabel::clicked, this, widgets::guarded(this, [this] { SignIn(); }));
    connect(Image3, &widgets::ClickLabel::clicked, this, [this] { close(); });
}

SignInWindow::~SignInWindow() = default;

void SignInWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    QApplication::quit();
}

void SignInWindow::issue(const std::string& statement)
{
    ADOQuery1.close();
    ADOQuery1.setText(statement);
    ADOQuery1.open();
}

void SignInWindow::FormCreate()
{
    widgets::runGuarded(this, [this] {
        try {
            startUp();
        } catch (const std::exception&) {
            if (ADOConnection1.awaitingVerdict() && !takeVerdict())
                return;
            throw;
        }
    });
    earlyCheck_.reset();
    if (ADOConnection1.openFailure() == ledger::OpenFailure::Damaged && !damageTold_)
        pointToNewestBackup();
    Edit2->setFocus();
    awaitVerdict();
    // Soon after the window shows, while the user types.
    QTimer::singleShot(50, this, [] { mainwindow::MainWindow::prepare(); });
}

// The integrity check goes on while the window waits for the password;
// its verdict is taken as soon as it is known, and at the latest by SignIn.
void SignInWindow::awaitVerdict()
{
    if (!ADOConnection1.awaitingVerdict())
        return;
    if (!ADOConnection1.verdictReady()) {
        QTimer::singleShot(10, this, [this] { awaitVerdict(); });
        return;
    }
    takeVerdict();
}

// A ledger found damaged (or unreadable) after the window showed fails as
// it would have at start: the notice, the standard error box, where the
// newest backup is, and an empty user list.
bool SignInWindow::takeVerdict()
{
    try {
        ADOConnection1.settleIntegrity();
        return true;
    } catch (const ledger::Error& e) {
        ComboBox1->clear();
        Edit2->clear();
        const bool shown = isVisible();
        hide();
        boxes_.notice(this, QString::fromUtf8(kDatabaseNotFound));
        boxes_.standardError(this, QString::fromStdString(e.what()));
        if (ADOConnection1.openFailure() == ledger::OpenFailure::Damaged)
            pointToNewestBackup();
        damageTold_ = true;
        if (shown)
            show();
        return false;
    }
}

// After the notices of a ledger that cannot be opened: where the copy is
// that the family can put in its place.
void SignInWindow::pointToNewestBackup()
{
    const std::string ledgerPath = ledger::kDatabaseFileName;
    const QString folder = QDir(QString::fromStdString(ledger::backupFolderFor(ledgerPath))).absolutePath();
    const std::vector<ledger::BackupInfo> backups = ledger::listBackups(ledgerPath, false);
    if (backups.empty()) {
        boxes_.notice(this, QStringLiteral("账本文件 %1 已损坏，备份文件夹“%2”中没有备份。")
                                .arg(QString::fromUtf8(ledger::kDatabaseFileName), folder));
        return;
    }
    const ledger::BackupInfo& newest = backups.front();
    boxes_.notice(this, QStringLiteral("账本文件 %1 已损坏。最新的备份是备份文件夹“%2”中的 %3（%4）。\n"
                                       "关闭程序，把它复制到程序文件夹并改名为 %1，即可恢复到那时的账本。")
                            .arg(QString::fromUtf8(ledger::kDatabaseFileName), folder,
                                 QFileInfo(QString::fromStdString(newest.path)).fileName(),
                                 QString::fromStdString(ledger::formatDateTimeText(newest.time))));
}

void SignInWindow::startUp()
{
    // 1. The one connection; a failure shows at the probe.
    ADOConnection1.close();
    try {
        if (earlyCheck_)
            ADOConnection1.openBeforeVerdict(programConnectionString(), std::move(earlyCheck_));
        else
            ADOConnection1.open(programConnectionString());
    } catch (const ledger::Error&) {
    }
    // 2. The probe.
    try {
        issue(pages::kSettingsProbe);
    } catch (const std::exception&) {
        // Unreadable before the integrity verdict: a damaged file is told as such.
        if (ADOConnection1.awaitingVerdict() && !takeVerdict())
            return;
        hide();
        boxes_.notice(this, QString::fromUtf8(kDatabaseNotFound));
    }
    // 3, 4. The users, in the order the database gives them; the first is chosen.
    fillUserList();
    // 5, 6. The remembered sign-in.
    issue(pages::kSettingsRow);
    auto setting = [this](const char* column) {
        const int field = ADOQuery1.fieldIndex(column);
        return field >= 0 && ADOQuery1.currentRow() >= 0 ? QString::fromStdString(ADOQuery1.value(field).toText()) : QString();
    };
    if (setting("isji") == QStringLiteral("1")) {
        CheckBox1->setChecked(true);
        const QString user = setting("isuser");
        int found = -1;
        for (int i = 0; i < ComboBox1->count() && found < 0; ++i)
            if (ComboBox1->itemText(i).compare(user, Qt::CaseInsensitive) == 0)
                found = i;
        ComboBox1->setCurrentIndex(found);
        Edit2->setText(setting("ispwd"));
        CurrentSkinName = setting("skinx");
    }
    // 7.
    LoadSkin();
}

void SignInWindow::LoadSkin()
{
    QByteArray stream;
    if (skins::GetSkin(CurrentSkinName, stream))
        skins::applySkin(stream);
    else
        boxes_.notice(this, QStringLiteral("调入皮肤文件时发生错误."));
}

void SignInWindow::SignIn()
{
    if (!takeVerdict())
        return;
    const QString name = ComboBox1->currentIndex() >= 0 ? ComboBox1->currentText() : QString();
    issue(pages::userByName(name.toStdString()));
    if (ADOQuery1.rowCount() == 0)
        return;
    const QString stored = QString::fromStdString(ADOQuery1.text("sys_pwd"));
    if (stored != Edit2->text()) {
        boxes_.refusal(this, QStringLiteral("对不起，密码不正确，请你重新输入！"));
        Edit2->clear();
        Edit2->setFocus();
        return;
    }
    hide();
    mainwindow::SignInHost host{ADOConnection1, ADOQuery1, boxes_, [this] { close(); }, name, stored, [this] { backToSignIn(); }};
    Form3_ = std::make_unique<mainwindow::MainWindow>(host);
    Form3_->show();
    // Only now, signed in, may the program write beside the ledger.
    Form3_->startAutomaticBackup();
    ADOQuery1.close();
    ADOQuery1.setText(CheckBox1->isChecked() ? pages::rememberSignIn(name.toStdString(), Edit2->text().toStdString())
                                             : pages::forgetSignIn());
    ADOQuery1.execSql();
    // A ledger of an older version gets the indexes the reports rely on,
    // once, after the main window has shown itself.
    QTimer::singleShot(0, this, widgets::guarded(this, [this] {
                           if (ledger::lacksIndexes(ADOConnection1))
                               ledger::addMissingIndexes(ADOConnection1);
                       }));
}

void SignInWindow::fillUserList()
{
    ComboBox1->clear();
    issue(pages::kUserList);
    const int name = ADOQuery1.fieldIndexOrThrow("sys_name");
    for (int r = 0; r < ADOQuery1.rowCount(); ++r)
        ComboBox1->addItem(QString::fromStdString(ADOQuery1.value(r, name).toText()));
    ComboBox1->setCurrentIndex(ComboBox1->count() > 0 ? 0 : -1);
}

// A restored ledger that no longer knows the one signed in: the main window
// goes (after the handler that asked has returned) and the sign-in window
// offers the restored users.
void SignInWindow::backToSignIn()
{
    if (!Form3_)
        return;
    Form3_->hide();
    Form3_.release()->deleteLater();
    Edit2->clear();
    widgets::runGuarded(this, [this] { fillUserList(); });
    show();
    activateWindow();
    Edit2->setFocus();
}

} // namespace app
