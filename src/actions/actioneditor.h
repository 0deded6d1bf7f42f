#pragma once

#include <QDialog>
#include <QMap>
#include <QString>

#include <memory>

class QLineEdit;
class QListWidgetItem;
class QTimer;

namespace Ui {
class ActionEditor;
}

// Creates a new action, edits one of the user's or shows a built-in one. The script is tried on
// the sample input each time typing pauses; Save writes the action file and its parameter values.
class ActionEditor : public QDialog
{
    Q_OBJECT

public:
    // Without an item a new action is edited; otherwise the item is a row of the action list.
    ActionEditor(QWidget *parent, QListWidgetItem *item);
    ~ActionEditor() override;

public slots:
    // Starts the live test again once typing pauses.
    void evaluateTest();
    // Writes the action file, then its parameter values; false, with the user told why, when the
    // file could not be written.
    bool onAccepted();
    // Closes the dialog only once the action is saved: after a failure everything typed is still
    // there, to try again or to copy out.
    void accept() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void setUpEditor();
    void runLiveTest();
    void executeTest();
    void updateParameters();
    QList<QLineEdit *> parameterFields() const;
    void removeParameterFields();
    QString createFilePath();
    void reportWriteFailure(const QString &path);

    std::unique_ptr<Ui::ActionEditor> ui;
    QTimer *m_timer;
    QString m_filePath;
    bool m_failed = false;
    // Parameter values typed while the dialog is open, kept while their fields come and go with
    // the signature.
    QMap<QString, QString> m_typedValues;
};
