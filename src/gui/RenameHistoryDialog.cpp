// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenameHistoryDialog.h"

#include "app/JournalFolder.h"
#include "app/RenamePass.h"
#include "app/Session.h"
#include "platform/BusyPointer.h"
#include "platform/Prompter.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

RenameHistoryDialog::RenameHistoryDialog(Session& session, QWidget* parent)
    : QDialog(parent), m_session(session)
{
    setWindowTitle(QStringLiteral("Rename History"));
    passList = new QTreeWidget(this);
    passList->setObjectName(QStringLiteral("passList"));
    passList->setRootIsDecorated(false);
    passList->setHeaderLabels({QStringLiteral("Time"), QStringLiteral("Folder"),
                               QStringLiteral("Files renamed"), QStringLiteral("State")});
    stepList = new QListWidget(this);
    stepList->setObjectName(QStringLiteral("stepList"));
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(passList);
    split->addWidget(stepList);
    undoButton = new QPushButton(QStringLiteral("Undo This Pass"), this);
    keepBox = new QSpinBox(this);
    keepBox->setRange(1, JournalFolder::MostKept);
    keepBox->setValue(JournalFolder::keep());
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(undoButton);
    bottom->addStretch();
    bottom->addWidget(new QLabel(QStringLiteral("Passes kept:"), this));
    bottom->addWidget(keepBox);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split);
    layout->addLayout(bottom);
    resize(760, 480);
    connect(passList, &QTreeWidget::currentItemChanged, this, &RenameHistoryDialog::showSteps);
    connect(undoButton, &QPushButton::clicked, this, &RenameHistoryDialog::undoSelected);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Fewer kept passes take effect at the next pass, which prunes the rest.
    connect(keepBox, &QSpinBox::valueChanged, this, [this](int passes) {
        if (!JournalFolder::setKeep(passes))
            m_session.prompter().message(QStringLiteral("The setting could not be saved"));
        fill();
    });
    fill();
}

void RenameHistoryDialog::fill()
{
    QStringList problems;
    m_passes = RenameHistory::passes(m_session.fs(), &problems);
    passList->clear();
    for (const RenameHistory::Pass& pass : m_passes) {
        const RenameJournal::Contents& c = pass.contents;
        passList->addTopLevelItem(new QTreeWidgetItem(
            {c.started.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), c.folder,
             QString::number(c.renamedCount()), RenameHistory::stateText(pass.state)}));
    }
    for (int column = 0; column < passList->columnCount(); ++column)
        passList->resizeColumnToContents(column);
    if (!m_passes.isEmpty())
        passList->setCurrentItem(passList->topLevelItem(0));
    showSteps();
    undoButton->setEnabled(!m_passes.isEmpty());
    if (!problems.isEmpty())
        m_session.prompter().message(problems.join(QLatin1Char('\n')));
}

// The steps the pass made, in its order, as old name -> new name.
void RenameHistoryDialog::showSteps()
{
    stepList->clear();
    const int index = passList->indexOfTopLevelItem(passList->currentItem());
    if (index < 0 || index >= m_passes.size())
        return;
    for (const RenameJournal::Step& step : m_passes[index].contents.performed)
        stepList->addItem(step.from + QStringLiteral(" -> ") + step.to);
}

QString RenameHistoryDialog::passText(qsizetype index) const
{
    return passList->topLevelItem(int(index))->text(0);
}

void RenameHistoryDialog::undoSelected()
{
    const int index = passList->indexOfTopLevelItem(passList->currentItem());
    if (index < 0 || index >= m_passes.size())
        return;
    Prompter& prompter = m_session.prompter();
    if (const QList<qsizetype> later = RenameHistory::laterPassesTouching(m_passes, index);
        !later.isEmpty()) {
        QStringList times;
        for (qsizetype i : later)
            times << passText(i);
        if (!prompter.confirm(QStringLiteral("Later passes in this folder renamed some of the "
                                             "same names (%1). Undo this pass anyway? Names "
                                             "taken since are left as they are.")
                                  .arg(times.join(QStringLiteral(", ")))))
            return;
    }
    RenameJournal::UndoReport report;
    {
        BusyPointer busy(prompter);
        report = RenameJournal::undoFile(m_session.fs(), m_passes[index].journal);
    }
    // The list shows what the undo changed in the folder on view.
    if (report.folder == m_session.folderPath())
        m_session.scanFolder();
    if (!report.complete())
        prompter.message(RenamePass::undoProblems(report));
    fill();
}
