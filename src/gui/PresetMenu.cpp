// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PresetMenu.h"

#include "FolderRow.h"
#include "MainWindow.h"
#include "NamesPanel.h"
#include "PresetManagerDialog.h"
#include "RenamingFrame.h"
#include "SlotGuard.h"
#include "WindowMenus.h"

#include "app/PresetStore.h"
#include "app/Session.h"
#include "app/SessionPreset.h"
#include "platform/Prompter.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>

PresetMenu::PresetMenu(Session& session, MainWindow& window, QMenu* names)
    : QObject(&window), m_session(session), m_window(window)
{
    menu = names->addMenu(QStringLiteral("Presets"));
    menu->setObjectName(QStringLiteral("presetMenu"));
    saveAction = new QAction(QStringLiteral("Save Current..."), this);
    manageAction = new QAction(QStringLiteral("Manage..."), this);
    connect(saveAction, &QAction::triggered, this,
            [this] { SlotGuard::run(m_session.prompter(), [this] { saveCurrent(); }); });
    connect(manageAction, &QAction::triggered, this, [this] {
        PresetManagerDialog dialog(m_session.prompter(), &m_window);
        dialog.exec();
    });
    connect(menu, &QMenu::aboutToShow, this, &PresetMenu::fill);
    fill();
}

void PresetMenu::fill()
{
    menu->clear();
    menu->addAction(saveAction);
    menu->addSeparator();
    for (const QString& name : PresetStore::names()) {
        // The name as it is: "&" marks no shortcut here.
        QString caption = name;
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        connect(menu->addAction(caption), &QAction::triggered, this, [this, name] {
            SlotGuard::run(m_session.prompter(), [this, name] { choose(name); });
        });
    }
    menu->addSeparator();
    menu->addAction(manageAction);
}

void PresetMenu::saveCurrent()
{
    Prompter& prompter = m_session.prompter();
    const std::optional<QString> name =
        prompter.input(QStringLiteral("Save the naming inputs as the preset:"),
                       QStringLiteral("Save Preset"), QString());
    if (!name)
        return;
    const bool taken = PresetStore::exists(*name);
    if (taken && !prompter.confirm(QStringLiteral("Replace the preset \"%1\"?").arg(*name)))
        return;
    const QString why = PresetStore::save(*name, SessionPreset::current(m_session), taken);
    if (!why.isEmpty())
        prompter.message(why);
}

// The preset is read and checked before any input changes: a preset that
// cannot be read leaves the window as it was.
void PresetMenu::choose(const QString& name)
{
    Preset preset;
    if (const QString why = PresetStore::load(name, preset); !why.isEmpty()) {
        m_session.prompter().message(why);
        return;
    }
    if (const QString why = SessionPreset::apply(preset, m_session); !why.isEmpty()) {
        m_session.prompter().message(why);
        return;
    }
    showInputs();
}

// The inputs without a change signal of their own.
void PresetMenu::showInputs()
{
    RenamingFrame* frame = m_window.renamingFrame;
    const QString replace = m_session.replaceText();
    const QString with = m_session.replaceWith();
    frame->replaceTextBox->setText(replace);
    frame->replaceWithBox->setText(with);
    m_window.folderRow->typeFilterBox->setEditText(m_session.typeFilter());
    m_window.menus->allowSwapsAction->setChecked(m_session.swapsAllowed());
    if (m_window.namesPanel)
        m_window.namesPanel->showRules();
}
