#include "sync/synclogdialog.h"

#include "ui_synclogdialog.h"

#include "common/safefile.h"

#include <QDebug>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>

SyncLogDialog::SyncLogDialog(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::SyncLogDialog>())
{
    ui->setupUi(this);
    proxy.setSourceModel(&model);
    ui->listView->setModel(&proxy);

    connect(ui->okButton, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->exportButton, &QPushButton::clicked, this, &SyncLogDialog::exportLog);
    connect(ui->clearLog, &QPushButton::clicked, this, &SyncLogDialog::clear);
    connect(ui->filter, &QLineEdit::textChanged, &proxy, &QSortFilterProxyModel::setFilterFixedString);
    connect(&timer, &QTimer::timeout, this, [this] {
        writePending();
        model.setStringList(c_log);
    });

    ui->okButton->setFocus();
}

SyncLogDialog::~SyncLogDialog() = default;

QString SyncLogDialog::proposedFileName(QDate date)
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + "/" + "Synclog-"
        + date.toString("yyyy-MM-dd") + ".txt";
}

bool SyncLogDialog::writeLog(const QString &fileName)
{
    QByteArray bytes;
    writePending();
    for (const QString &line : std::as_const(c_log)) {
        bytes.append(line.toUtf8());
        bytes.append('\n');
    }
    if (bytes.isEmpty()) {
        QFile file(fileName);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }
    // Checked to the last byte: a full disk must not leave a short export that looks complete.
    QString error;
    if (!SafeFile::write(fileName, bytes, &error)) {
        qWarning().noquote() << "Exporting the sync log failed:" << error;
        return false;
    }
    return true;
}

void SyncLogDialog::exportLog()
{
    const QString fileName = QFileDialog::getSaveFileName(this, tr("Save sync log"),
        proposedFileName(QDate::currentDate()), tr("Text files (*.txt);;All files (*.*);"));
    if (fileName.isEmpty())
        return;

    if (!writeLog(fileName)) {
        QMessageBox::warning(this, tr("Save error"), tr("Failed to save the sync log to ") + fileName,
            QMessageBox::Ok);
        return;
    }
    qDebug() << "Exported sync log to " << fileName;
}

void SyncLogDialog::showEvent(QShowEvent *event)
{
    writePending();
    model.setStringList(c_log);
    QDialog::showEvent(event);
    timer.start(1000);
    qDebug() << "Started sync log polling";
}

void SyncLogDialog::closeEvent(QCloseEvent *event)
{
    QDialog::closeEvent(event);
    timer.stop();
    qDebug() << "Stopped sync log polling";
}

void SyncLogDialog::clear()
{
    writePending();
    c_log.clear();
    model.setStringList(c_log);
}

void SyncLogDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
