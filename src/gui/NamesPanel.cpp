// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NamesPanel.h"

#include "app/NameProposals.h"
#include "app/NameTemplate.h"
#include "app/NamingOrder.h"
#include "app/Session.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

NamesPanel::NamesPanel(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setWindowTitle(QStringLiteral("Template and Expression"));
    setModal(false);
    build();
    showRules();
    for (QLineEdit* box : {templateBox, expressionBox, withBox})
        connect(box, &QLineEdit::textEdited, this, &NamesPanel::inputsEdited);
    for (QCheckBox* box : {matchCaseBox, fitLengthBox})
        connect(box, &QCheckBox::clicked, this, &NamesPanel::inputsEdited);
    connect(&m_session, &Session::proposalsChanged, this, &NamesPanel::countChanges);
    connect(renameButton, &QPushButton::clicked, this, &NamesPanel::renameRequested);
    countChanges();
}

// The template's tokens as NameTemplate lists them, one to a row.
QString NamesPanel::legend()
{
    QString rows;
    for (const auto& [token, meaning] : NameTemplate::legend())
        rows += QStringLiteral("<tr><td><code>%1</code>&nbsp;&nbsp;</td><td>%2</td></tr>")
                    .arg(token.toHtmlEscaped(), meaning.toHtmlEscaped());
    return QStringLiteral("<table cellspacing=\"0\" cellpadding=\"0\">%1</table>").arg(rows);
}

void NamesPanel::showRules()
{
    const NamingRules rules = m_session.namingRules();
    templateBox->setText(rules.templateText.value_or(QString()));
    expressionBox->setText(rules.expression.value_or(QString()));
    withBox->setText(rules.expressionWith);
    matchCaseBox->setChecked(rules.matchCase);
    fitLengthBox->setChecked(rules.fitLength);
    faultLabel->clear();
    renameButton->setEnabled(true);
}

void NamesPanel::build()
{
    templateBox = new QLineEdit(this);
    templateBox->setPlaceholderText(QStringLiteral("the pattern box makes the names"));
    legendLabel = new QLabel(legend(), this);
    legendLabel->setTextFormat(Qt::RichText);
    legendLabel->setStyleSheet(QStringLiteral("color: rgb(64, 64, 64);"));
    expressionBox = new QLineEdit(this);
    withBox = new QLineEdit(this);
    matchCaseBox = new QCheckBox(QStringLiteral("Match case"), this);
    fitLengthBox = new QCheckBox(QStringLiteral("Fit names to 255 bytes"), this);
    faultLabel = new QLabel(this);
    faultLabel->setTextFormat(Qt::RichText);
    faultLabel->setStyleSheet(QStringLiteral("color: rgb(160, 0, 0);"));
    renameButton = new QPushButton(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Template :"), templateBox);
    form->addRow(QString(), legendLabel);
    form->addRow(QStringLiteral("Expression :"), expressionBox);
    form->addRow(QStringLiteral("With :"), withBox);
    form->addRow(QString(), matchCaseBox);
    form->addRow(QString(), fitLengthBox);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(faultLabel, 1);
    buttons->addWidget(renameButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    const std::pair<QObject*, const char*> names[] = {
        {templateBox, "templateBox"},     {legendLabel, "legendLabel"},
        {expressionBox, "expressionBox"}, {withBox, "withBox"},
        {matchCaseBox, "matchCaseBox"},   {fitLengthBox, "fitLengthBox"},
        {faultLabel, "faultLabel"},       {renameButton, "panelRenameButton"}};
    for (const auto& [object, name] : names)
        object->setObjectName(QLatin1String(name));
}

// An empty box adds nothing: no template (the pattern box makes the names),
// no expression.
void NamesPanel::inputsEdited()
{
    NamingRules rules = m_session.naming()->rules();
    rules.templateText =
        templateBox->text().isEmpty() ? std::nullopt : std::optional(templateBox->text());
    rules.expression =
        expressionBox->text().isEmpty() ? std::nullopt : std::optional(expressionBox->text());
    rules.expressionWith = withBox->text();
    rules.matchCase = matchCaseBox->isChecked();
    rules.fitLength = fitLengthBox->isChecked();
    QString why;
    RegexReplace::Fault fault;
    const std::optional<NamingOrder> order = NamingOrder::create(rules, why, &fault);
    if (!order) {
        if (fault.at >= 0)
            showFault(fault.words, expressionBox->text(), fault.at);
        else
            showFault(why, QString(), -1);
        renameButton->setEnabled(false);
        return;
    }
    faultLabel->clear();
    renameButton->setEnabled(true);
    m_session.setNaming(std::make_shared<const NamingOrder>(*order));
    m_session.proposals().start();
}

// The expression with the faulty place underlined, then the engine's words.
void NamesPanel::showFault(const QString& why, const QString& text, qsizetype at)
{
    QString shown;
    if (at >= 0) {
        const QString mark =
            at < text.size() ? text.mid(at, 1).toHtmlEscaped() : QStringLiteral("&nbsp;");
        shown = QStringLiteral("<code>%1<u style=\"background: rgb(255, 200, 200)\">%2</u>%3"
                               "</code> ")
                    .arg(text.left(at).toHtmlEscaped(), mark, text.mid(at + 1).toHtmlEscaped());
    }
    faultLabel->setText(shown + why.toHtmlEscaped());
}

void NamesPanel::countChanges()
{
    const int count = NamingOrder::changeCount(
        m_session.model(), m_session.model().holdsNoFiles() ? -1 : m_session.lastPosition());
    renameButton->setText(count == 1 ? QStringLiteral("Rename 1 File")
                                     : QStringLiteral("Rename %1 Files").arg(count));
}
