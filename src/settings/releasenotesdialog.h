#pragma once

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class ReleaseNotesDialog;
}

// The program's release notes, newest version first, under the product logo.
class ReleaseNotesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ReleaseNotesDialog(QWidget *parent = nullptr);
    ~ReleaseNotesDialog() override;

    // The Markdown shown: the logo line, then every "*.md" of the folder, newest (highest name)
    // first, each followed by a horizontal rule.
    static QString notesMarkdown(const QString &folder = QStringLiteral(":/other/release-notes"));

protected:
    void changeEvent(QEvent *event) override;

private:
    std::unique_ptr<Ui::ReleaseNotesDialog> ui;
};
