#include "actions/actioneditor.h"
#include "ui_actioneditor.h"

#include "actions/actionfile.h"
#include "actions/actionhelpers.h"
#include "codeeditor/codeeditorresources.h"
#include "codeeditor/qjscompleter.h"
#include "codeeditor/qjshighlighter.h"
#include "codeeditor/qsyntaxstyle.h"
#include "common/privatefiles.h"
#include "common/userwarning.h"
#include "history/itemrole.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidgetItem>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

namespace {

// Typing pauses this long before the script is tried again.
const int LiveTestDelay = 500;

QString translatedTitle(const QString &text)
{
    return QCoreApplication::translate("ActionList", text.toUtf8().constData());
}

} // namespace

ActionEditor::ActionEditor(QWidget *parent, QListWidgetItem *item)
    : QDialog(parent)
    , ui(std::make_unique<Ui::ActionEditor>())
    , m_timer(new QTimer(this))
{
    initCodeEditorResources();
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setUpEditor();
    ui->status->setFixedHeight(fontMetrics().lineSpacing() + 2);

    const bool builtIn = ActionHelpers::isBuiltInAction(item);
    if (!item) {
        setWindowTitle(tr("New action"));
        QFile skeleton(ActionFile::templatePath());
        if (skeleton.open(QIODevice::ReadOnly))
            ui->editor->setPlainText(QString::fromUtf8(skeleton.readAll()));
    } else {
        m_filePath = item->data(FileNameRole).toString();
        setWindowTitle(m_filePath);
        ui->editor->setPlainText(item->data(TextRole).toString());
        // Only the built-in texts have translations; a user's own title is saved as it was typed.
        const QString title = item->data(TitleRole).toString();
        const QString description = item->data(DescriptionRole).toString();
        ui->title->setText(builtIn ? translatedTitle(title) : title);
        ui->description->setText(builtIn ? translatedTitle(description) : description);
        ui->input->setPlainText(item->data(InputRole).toString());
    }
    ui->splitter->setStretchFactor(0, 10);
    ui->splitter->setStretchFactor(1, 1);
    if (ui->input->toPlainText().isEmpty())
        ui->input->setPlainText(tr("The quick brown fox jumps over the lazy dog."));

    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &ActionEditor::runLiveTest);
    m_timer->start(0);

    QPushButton *save = ui->buttonBox->button(QDialogButtonBox::Save);
    connect(ui->editor, &QTextEdit::textChanged, this, &ActionEditor::evaluateTest);
    connect(ui->title, &QLineEdit::textChanged, save, [save](const QString &text) { save->setEnabled(!text.isEmpty()); });
    save->setEnabled(!ui->title->text().isEmpty());

    if (builtIn) {
        ui->title->setEnabled(false);
        ui->description->setEnabled(false);
        ui->editor->setReadOnly(true);
        // A standard button, so that a language change translates it like the others.
        ui->buttonBox->setStandardButtons(QDialogButtonBox::Close);
    }
    ui->parameters->hide();
}

ActionEditor::~ActionEditor() = default;

void ActionEditor::setUpEditor()
{
    auto *style = new QSyntaxStyle(this);
    QFile file(QStringLiteral(":/styles/drakula.xml"));
    if (file.open(QIODevice::ReadOnly) && style->load(QString::fromUtf8(file.readAll())))
        ui->editor->setSyntaxStyle(style);
    else
        delete style;
    ui->editor->setHighlighter(new QJSHighlighter(ui->editor->document()));
    ui->editor->setCompleter(new QJSCompleter(this));
    ui->editor->setLineWrapMode(QTextEdit::NoWrap);
    ui->editor->setTabReplaceSize(2);
}

void ActionEditor::evaluateTest()
{
    ui->output->clear();
    ui->status->setText(tr("Status: Evaluating..."));
    m_timer->start(LiveTestDelay);
}

void ActionEditor::runLiveTest()
{
    // Only the program is evaluated here: calling the function on an empty text would report
    // scripts as broken that work on every real clipping.
    QString error;
    if (!ActionHelpers::check(ui->editor->toPlainText(), error, ActionHelpers::LiveTestTimeLimit)) {
        ui->status->setText(tr("Status: ") + error);
        m_failed = true;
        return;
    }
    updateParameters();
    executeTest();
}

void ActionEditor::executeTest()
{
    QList<QString> arguments;
    for (const QLineEdit *field : parameterFields())
        arguments.append(field->text());

    QString error;
    const QList<QString> results = ActionHelpers::evaluate(ui->editor->toPlainText(), ui->input->toPlainText(),
                                                           QString(), arguments, error,
                                                           ActionHelpers::LiveTestTimeLimit);
    ui->status->setText(tr("Status: ") + (error.isEmpty() ? tr("Success") : error));
    // The length tells which text was tested, in a log read while it is being typed.
    qDebug().noquote() << QStringLiteral("Action live test of %1 characters: %2")
                              .arg(ui->editor->toPlainText().size())
                              .arg(error.isEmpty() ? QStringLiteral("success") : error);
    ui->output->setPlainText(results.join(QLatin1Char('\n')));
    ui->status->repaint();
    m_failed = !error.isEmpty();
}

QList<QLineEdit *> ActionEditor::parameterFields() const
{
    // Direct children come in the order they were made.
    return ui->parameters->findChildren<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
}

void ActionEditor::removeParameterFields()
{
    for (const QLineEdit *field : parameterFields())
        m_typedValues.insert(field->objectName(), field->text());
    qDeleteAll(ui->parameters->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly));
}

void ActionEditor::updateParameters()
{
    // The signature on the first line: an opening parenthesis, the parameter list, then "=>" or "{".
    static const QRegularExpression signature(QStringLiteral(R"(^\(.*?\((.+?)\)\s*[={])"));
    const QRegularExpressionMatch match = signature.match(ui->editor->toPlainText());
    if (!match.hasMatch())
        return;

    // The first parameter is the clipping.
    const QStringList parts = match.captured(1).split(QLatin1Char(','));
    QStringList names;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString name = parts.at(i).trimmed();
        if (!name.isEmpty())
            names.append(name);
    }

    QStringList current;
    for (const QLineEdit *field : parameterFields())
        current.append(field->objectName());
    // Unchanged fields stay, so a field being typed in keeps its focus and cursor.
    if (current == names) {
        ui->parameters->setVisible(!names.isEmpty());
        return;
    }

    ui->parameters->setUpdatesEnabled(false);
    QMap<QString, QString> values = m_filePath.isEmpty() ? QMap<QString, QString>()
                                                         : ActionFile::parameterValues(m_filePath);
    // Fields of a parameter no longer in the signature go, so they are neither run nor saved.
    removeParameterFields();
    for (auto it = m_typedValues.cbegin(); it != m_typedValues.cend(); ++it)
        values.insert(it.key(), it.value());

    auto *grid = static_cast<QGridLayout *>(ui->parameters->layout());
    for (int row = 0; row < names.size(); ++row) {
        const QString &name = names.at(row);
        auto *field = new QLineEdit(values.value(name), ui->parameters);
        field->setObjectName(name);
        connect(field, &QLineEdit::textChanged, this, &ActionEditor::evaluateTest);
        grid->addWidget(new QLabel(name + QLatin1Char(':'), ui->parameters), row, 0);
        grid->addWidget(field, row, 1);
    }
    ui->parameters->setUpdatesEnabled(true);
    ui->parameters->setVisible(!names.isEmpty());
}

QString ActionEditor::createFilePath()
{
    return ActionFile::claimNewFilePath(ActionFile::userFolder(), ui->title->text());
}

void ActionEditor::accept()
{
    if (onAccepted())
        QDialog::accept();
}

bool ActionEditor::onAccepted()
{
    // Typed just before Save: the test has not run yet, and "failed" must tell the truth.
    if (m_timer->isActive()) {
        m_timer->stop();
        runLiveTest();
    }

    const QString folder = ActionFile::userFolder();
    if (!PrivateFiles::makeFolder(folder)) {
        qWarning().noquote() << "Failed to create" << folder;
        reportWriteFailure(m_filePath.isEmpty() ? ActionFile::newFilePath(folder, ui->title->text()) : m_filePath);
        return false;
    }
    const bool isNew = m_filePath.isEmpty();
    const QString path = isNew ? createFilePath() : m_filePath;

    QJsonArray params;
    QMap<QString, QString> values;
    for (const QLineEdit *field : parameterFields()) {
        params.append(field->objectName());
        values.insert(field->objectName(), field->text());
    }
    const QJsonObject action{
        {QStringLiteral("title"), ui->title->text()},
        {QStringLiteral("description"), ui->description->text()},
        {QStringLiteral("script"), ui->editor->toPlainText()},
        {QStringLiteral("input"), ui->input->toPlainText()},
        {QStringLiteral("failed"), m_failed},
        {QStringLiteral("created"), ActionFile::timeStamp()},
        {QStringLiteral("params"), params},
    };
    QString error;
    if (!ActionFile::write(path, action, &error)) {
        qWarning().noquote() << error;
        // The empty file that claimed the name is ours; a listing would only skip it.
        if (isNew && QFileInfo(path).size() == 0)
            QFile::remove(path);
        reportWriteFailure(path);
        return false;
    }
    // Only now: a failed save changes nothing that the action runs with.
    ActionFile::storeParameterValues(path, values);
    m_filePath = path;
    return true;
}

void ActionEditor::reportWriteFailure(const QString &path)
{
    qWarning().noquote() << "Writing to file" << path << "failed.";
    showUserWarning(tr("Writing the action file failed: ") + path);
}

void ActionEditor::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        setWindowTitle(m_filePath.isEmpty() ? tr("New action") : m_filePath);
        // Run again, so that the status line speaks the new language too.
        evaluateTest();
    }
    QDialog::changeEvent(event);
}
