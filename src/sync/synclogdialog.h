#pragma once

#include <QDate>
#include <QDialog>
#include <QSortFilterProxyModel>
#include <QStringList>
#include <QStringListModel>
#include <QTimer>

#include <memory>

namespace Ui {
class SyncLogDialog;
}

// The process-wide log of what synchronisation and merging did, and the dialog that shows it.
class SyncLogDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SyncLogDialog(QWidget *parent = nullptr);
    ~SyncLogDialog() override;

    // Writes the text to the debug output and appends it, with date, time and thread id, to c_log.
    static void add(QString text);

    // The log, oldest line first. Only the newest c_maxLines lines are kept: a merge writes a line
    // per clipping, and a program that runs for weeks must not grow without bound.
    static QStringList c_log;
    static constexpr int c_maxLines = 20000;

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
