#include "settings/releasenotesdialog.h"
#include "ui_releasenotesdialog.h"

#include "common/iconresources.h"
#include "common/utils.h"

#include <QDir>
#include <QFile>

#include <algorithm>

// Outside any namespace: the resource's initialiser is declared where this is expanded.
static void registerReleaseNotes()
{
    // Resources of a static library are only linked in when asked for by name.
    static const bool registered = [] {
        Q_INIT_RESOURCE(releasenotes);
        return true;
    }();
    Q_UNUSED(registered);
}

ReleaseNotesDialog::ReleaseNotesDialog(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::ReleaseNotesDialog>())
{
    registerIconResources();
    registerReleaseNotes();

    ui->setupUi(this);
    setWindowTitle(tr("Release Notes"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    ui->notes->setMarkdown(notesMarkdown());
    ui->notes->setHtml(Utils::fixMarkdown(ui->notes->toHtml()));
}

ReleaseNotesDialog::~ReleaseNotesDialog() = default;

QString ReleaseNotesDialog::notesMarkdown(const QString &folder)
{
    registerReleaseNotes();
    QString markdown = QStringLiteral("![Kestovan](:/other/release-notes/logo.png)\n");

    QStringList paths;
    for (const QString &name : QDir(folder).entryList(QDir::NoFilter, QDir::Unsorted)) {
        const QString path = folder + '/' + name;
        if (path.endsWith(QLatin1String(".md")))
            paths.append(path);
    }
    // The minor version has two digits, so text order is version order.
    std::sort(paths.begin(), paths.end());
    std::reverse(paths.begin(), paths.end());

    for (const QString &path : std::as_const(paths)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        markdown += QString::fromUtf8(file.readAll()) + QStringLiteral("\n---\n");
    }
    return markdown;
}

void ReleaseNotesDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        setWindowTitle(tr("Release Notes"));
    }
    QDialog::changeEvent(event);
}
