// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PresetManagerDialog.h"

#include "app/PresetStore.h"
#include "platform/Prompter.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

PresetManagerDialog::PresetManagerDialog(Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter)
{
    setWindowTitle(QStringLiteral("Presets"));
    presetList = new QListWidget(this);
    presetList->setObjectName(QStringLiteral("presetList"));
    renameButton = new QPushButton(QStringLiteral("&Rename..."), this);
    deleteButton = new QPushButton(QStringLiteral("&Delete"), this);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(renameButton);
    buttons->addWidget(deleteButton);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(presetList);
    layout->addLayout(buttons);
    connect(renameButton, &QPushButton::clicked, this, &PresetManagerDialog::renameSelected);
    connect(deleteButton, &QPushButton::clicked, this, &PresetManagerDialog::deleteSelected);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    fill();
}

void PresetManagerDialog::fill()
{
    presetList->clear();
    presetList->addItems(PresetStore::names());
    if (presetList->count() > 0)
        presetList->setCurrentRow(0);
    renameButton->setEnabled(presetList->count() > 0);
    deleteButton->setEnabled(presetList->count() > 0);
}

QString PresetManagerDialog::selected() const
{
    return presetList->currentItem() ? presetList->currentItem()->text() : QString();
}

void PresetManagerDialog::renameSelected()
{
    const QString from = selected();
    if (from.isEmpty())
        return;
    const std::optional<QString> to = m_prompter.input(
        QStringLiteral("New name of the preset \"%1\":").arg(from), windowTitle(), from);
    if (!to || *to == from)
        return;
    if (const QString why = PresetStore::rename(from, *to); !why.isEmpty())
        m_prompter.message(why);
    fill();
}

void PresetManagerDialog::deleteSelected()
{
    const QString name = selected();
    if (name.isEmpty() ||
        !m_prompter.confirm(QStringLiteral("Delete the preset \"%1\"?").arg(name)))
        return;
    if (const QString why = PresetStore::remove(name); !why.isEmpty())
        m_prompter.message(why);
    fill();
}
