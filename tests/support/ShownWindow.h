// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Session.h"
#include "gui/MainWindow.h"
#include "platform/PosixFileSystem.h"
#include "platform/SystemProcessLauncher.h"

#include "PromptRecorder.h"
#include "TempFolder.h"

#include <QTest>

#include <memory>

// The main window on a folder of real files, as a person starts it: the
// test writes its files into dir, then open() enters the folder, shows the
// window and waits until it is active (and has listed the folder). Recorder
// answers the window's questions.
template <class Recorder = PromptRecorder> struct ShownWindow {
    void open()
    {
        if (fs.setCurrentFolder(dir.path()) != 0)
            qFatal("cannot enter the test folder");
        session = std::make_unique<Session>(fs, prompts);
        window = std::make_unique<MainWindow>(*session, launcher);
        window->show();
        QTRY_VERIFY(window->activated());
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
    }

    TempFolder dir;
    PosixFileSystem fs;
    SystemProcessLauncher launcher;
    Recorder prompts;
    std::unique_ptr<Session> session;
    std::unique_ptr<MainWindow> window;
};
