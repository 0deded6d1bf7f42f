#pragma once

#include "logging/synclog.h"

#include <QDate>
#include <QDialog>
#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <QTimer>

#include <memory>

namespace Ui {
class SyncLogDialog;
}

// The dialog that shows the sync log. The log's own names (add, c_log) are reachable through it.
class SyncLogDialog : public QDialog, public SyncLog
{
    Q_OBJECT

public:
    explicit SyncLogDialog(QWidget *parent = nullptr);
    ~SyncLogDialog() override;

    static QString proposedFileName(QDate date);
    // Writes every line of c_log, each followed by a line feed. False when the file cannot be written.
    static bool writeLog(const QString &fileName);

public slots:
    void exportLog();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void clear();

    std::unique_ptr<Ui::SyncLogDialog> ui;
    QStringListModel model;
    QSortFilterProxyModel proxy;
    QTimer timer;
};
