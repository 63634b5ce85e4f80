#include "BatchFrame.h"

#include "FormParts.h"

#include "app/BatchRunner.h"

#include "controls/RenderedButton.h"
#include <QComboBox>
#include <QLabel>

BatchFrame::BatchFrame(Session& session, std::function<int()> attributeValue, QWidget* parent)
    : QGroupBox(parent), m_runner(new BatchRunner(session, ProcessLauncher::instance(), this)),
      m_attributeValue(std::move(attributeValue))
{
    Text3 = FormParts::editableBox(this, m_runner->Text3, m_runner->Text3List,
                                   QStringLiteral("Run a command line for each of the source "
                                                  "filenames..."));
    FormParts::place(Text3, 135, 270, 8385, 390);
    Command6 =
        FormParts::command(this, QStringLiteral("CMD"), QStringLiteral("Command Windows..."));
    FormParts::place(Command6, 8595, 270, 780, 420); // below the caption line
    Command3 = FormParts::command(this, QStringLiteral("Execute"),
                                  QStringLiteral("Execute Command Batch..."));
    FormParts::place(Command3, 9405, 270, 1320, 420);
    CMDr = new QLabel(this);
    CMDr->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255); font-weight: normal;"));
    FormParts::moveTo(CMDr, 2340, 15);

    connect(Command3, &RenderedButton::clicked, this, [this] {
        m_runner->Text3 = Text3->currentText();
        m_runner->Command3(m_attributeValue());
    });
    connect(Command6, &RenderedButton::clicked, m_runner, &BatchRunner::Command6);
    connect(m_runner, &BatchRunner::lineAppended, this, [this](const QString& line) {
        const QString text = Text3->currentText();
        Text3->addItem(line);
        Text3->setEditText(text);
    });
    connect(m_runner, &BatchRunner::CMDrChanged, this, [this](const QString& line) {
        CMDr->setText(line);
        CMDr->adjustSize();
    });
    connect(m_runner, &BatchRunner::Command3EnabledChanged, Command3, &RenderedButton::setEnabled);
}
