#include "users_page.h"

#include "../backups.h"
#include "../grid_editor.h"

#include "ledger/csv_export.h"
#include "ledger/error.h"
#include "pages/users_statements.h"
#include "widgets/data_grid.h"
#include "widgets/form.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>

#include <stdexcept>

namespace mainwindow {

namespace {

QString sizeText(uint64_t bytes)
{
    if (bytes < 1024 * 1024)
        return QStringLiteral("%1 KB").arg((bytes + 1023) / 1024);
    return QStringLiteral("%1 MB").arg(double(bytes) / (1024.0 * 1024.0), 0, 'f', 1);
}

QString timeText(const ledger::DateTime& t)
{
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(t.year)
        .arg(t.month, 2, 10, QLatin1Char('0'))
        .arg(t.day, 2, 10, QLatin1Char('0'))
        .arg(t.hour, 2, 10, QLatin1Char('0'))
        .arg(t.minute, 2, 10, QLatin1Char('0'))
        .arg(t.second, 2, 10, QLatin1Char('0'));
}

QString absolute(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).absoluteFilePath();
}

} // namespace

UsersPage::UsersPage(PageContext& context, QWidget* parent)
    : Page(context, "Panel16", parent), ADOQuery23(context.connection, "ADOQuery23")
{
    ADOQuery23.setText(pages::kUsersList);
    ADOQuery23.setBatchMode(true);
    GridEditor::Rules rules;
    rules.failureNotice = QStringLiteral("对不起，操作异常");
    rules.refuseDelete = [this](const QString& id) {
        if (id != QStringLiteral("1"))
            return false;
        boxes().notice(window(), QStringLiteral("系统默认用户不能删除！"));
        return true;
    };
    rules.deleteStatements = [](pages::RowId id) { return std::vector<std::string>{pages::deleteUser(id)}; };
    users_ = new GridEditor(ADOQuery23, command(), {"DBGridEh16", "Button46", "Button47", "Button48"}, std::move(rules),
                            GridEditor::BarPlace::Bottom, this);
    users_->setObjectName(QStringLiteral("GroupBox23"));
    users_->setTitle(QStringLiteral("系统用户管理"));
    users_->setGeometry(0, 0, 768, 344);
    users_->setKeysScope(this);
    widgets::DataGrid* grid = users_->grid();
    grid->setRowHeight(25);
    grid->setColumns({{.field = "id", .hidden = true}, {.field = "用户名", .width = 200}, {.field = "密码", .width = 200}});
    if (context.backups)
        buildBackupGroup();
}

void UsersPage::enter()
{
    ADOQuery23.requery();
    if (backupGroup_)
        showBackups();
}

Backups& UsersPage::backups() const
{
    return *context().backups;
}

// ---- 数据备份 ------------------------------------------------------------------------

void UsersPage::buildBackupGroup()
{
    backupGroup_ = widgets::make<QGroupBox>(this, "backupGroup", "数据备份", QRect(0, 350, 768, 161));
    backupList_ = widgets::make<QTreeWidget>(backupGroup_, "backupList", QRect(10, 42, 560, 110));
    widgets::buddyLabel(backupGroup_, "已有的备份(&L)：", QRect(10, 20, 300, 20), backupList_);
    backupList_->setHeaderLabels({QStringLiteral("备份时间"), QStringLiteral("大小"), QStringLiteral("记录数")});
    backupList_->setRootIsDecorated(false);
    backupList_->setUniformRowHeights(true);
    backupList_->setSelectionMode(QAbstractItemView::SingleSelection);
    backupList_->setColumnWidth(0, 200);
    backupList_->setColumnWidth(1, 140);
    backupList_->header()->setStretchLastSection(true);
    backupList_->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    backupList_->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    backupList_->setAllColumnsShowFocus(true);
    const std::vector<widgets::ButtonRow> rows = {
        {"backupNow", "立即备份", QRect(588, 22, 168, 28), [this] { backUpNow(); }, "现在就备份当前账本，不论今天是否已备份"},
        {"restoreBackup", "恢复所选备份", QRect(588, 54, 168, 28), [this] { restoreSelected(); }},
        {"openBackupFolder", "打开备份文件夹", QRect(588, 86, 168, 28), [this] { openBackupFolder(); }},
        {"exportAllRecords", "导出全部收支记录…", QRect(588, 118, 168, 28), [this] { exportAllRecords(); },
         "把全部收支记录按日期导出为 CSV 文件"},
    };
    widgets::addButtons(backupGroup_, rows);
    connect(&backups(), &Backups::backupsChanged, this, [this] { showBackups(); });
}

void UsersPage::showBackups()
{
    backupList_->clear();
    for (const ledger::BackupInfo& b : backups().list()) {
        auto* item = new QTreeWidgetItem(backupList_);
        item->setText(0, timeText(b.time));
        item->setText(1, sizeText(b.size));
        item->setText(2, b.records ? QString::number(*b.records) : QStringLiteral("无法读取"));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(0, Qt::UserRole, QString::fromStdString(b.path));
    }
    if (backupList_->topLevelItemCount() > 0)
        backupList_->setCurrentItem(backupList_->topLevelItem(0));
}

void UsersPage::backUpNow()
{
    try {
        backups().backUpNow();
    } catch (const std::exception& e) {
        boxes().refusal(window(), QStringLiteral("备份失败：") + QString::fromStdString(e.what()));
        return;
    }
    boxes().information(window(), QStringLiteral("备份成功"));
}

void UsersPage::restoreSelected()
{
    QTreeWidgetItem* item = backupList_->currentItem();
    if (!item) {
        boxes().refusal(window(), QStringLiteral("请先在列表中选择一个备份。"));
        return;
    }
    QString question = QStringLiteral("是否确定用所选备份替换当前账本？当前账本会先备份。");
    if (const QStringList unsaved = context().unsavedPages ? context().unsavedPages() : QStringList(); !unsaved.isEmpty())
        question += QStringLiteral("\n%1页上未保存的修改将被放弃。").arg(unsaved.join(QStringLiteral("、")));
    if (!boxes().confirm(window(), question))
        return;
    try {
        backups().restore(item->data(0, Qt::UserRole).toString().toStdString());
    } catch (const ledger::Error& e) {
        if (e.kind() == ledger::Error::Kind::File)
            boxes().refusal(window(), QStringLiteral("备份失败：") + QString::fromStdString(e.what()) +
                                          QStringLiteral("\n当前账本没有改变。"));
        else
            boxes().refusal(window(), QString::fromStdString(e.what()) + QStringLiteral("\n当前账本没有改变。"));
    }
    // On success the main window reads every page again.
}

void UsersPage::openBackupFolder()
{
    const QString folder = absolute(backups().folder());
    QDir().mkpath(folder);
    boxes().openFolder(folder);
}

void UsersPage::exportAllRecords()
{
    const QString suggested =
        QFileInfo(absolute(context().connection.path())).absolutePath() + QStringLiteral("/全部收支记录.csv");
    const QString path =
        boxes().fileToSave(window(), QStringLiteral("导出全部收支记录"), suggested, QStringLiteral("CSV 文件 (*.csv)"));
    if (path.isEmpty())
        return;
    ledger::ExportOutcome outcome;
    try {
        auto progress = boxes().progress(window(), QStringLiteral("正在导出全部收支记录…"));
        outcome = ledger::exportAllRecords(context().connection, path.toStdString(),
                                           [&progress](int64_t done, int64_t total) { return progress(done, total); });
    } catch (const std::exception& e) {
        boxes().refusal(window(), QStringLiteral("导出失败：") + QString::fromStdString(e.what()));
        return;
    }
    if (outcome == ledger::ExportOutcome::Written)
        boxes().information(window(), QStringLiteral("导出完成"));
}

} // namespace mainwindow
