// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PresetStore.h"
#include "app/Session.h"
#include "controls/RenderedButton.h"
#include "gui/FolderRow.h"
#include "gui/MainWindow.h"
#include "gui/NamesPanel.h"
#include "gui/PresetManagerDialog.h"
#include "gui/PresetMenu.h"
#include "gui/RenameHistoryDialog.h"
#include "gui/RenamingFrame.h"
#include "gui/WindowMenus.h"
#include "platform/PosixFileSystem.h"
#include "platform/SystemProcessLauncher.h"

#include "CliRun.h"
#include "PromptRecorder.h"
#include "ShownWindow.h"
#include "TempFolder.h"
#include "WindowInput.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

namespace
{

struct YieldingRecorder : PromptRecorder {
    void processEvents() override
    {
        QCoreApplication::processEvents();
        PromptRecorder::processEvents();
    }
};

// A window on a folder of real files, shown and activated.
struct Fixture : ShownWindow<YieldingRecorder> {
    explicit Fixture(const QStringList& names)
    {
        for (const QString& name : names)
            dir.write(name, name.toUtf8());
        open();
    }
    // The window's new names, in the list's order.
    QString newNames() const
    {
        QStringList names;
        for (int i = 0; i <= session->lastPosition(); ++i)
            names << session->model().newNameAt(i);
        return names.join('|');
    }
    // What quillon-cli lists as new names for the folder with these options.
    QString cliNewNames(const QStringList& options) const
    {
        const CliRun run = runCli(QStringList{"list", dir.path()} + options);
        QStringList names;
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        for (qsizetype i = 1; i < lines.size(); ++i)
            names << lines[i].section('\t', 4, 4);
        return run.status == 0 ? names.join('|') : run.err;
    }
    // Types text into the pattern box as a person does, over what it holds.
    void typePattern(const QString& text)
    {
        QLineEdit* box = window->renamingFrame->patternBox->lineEdit();
        WindowInput::click(box);
        QTRY_VERIFY(box->hasFocus());
        WindowInput::key(window.get(), Qt::Key_A, Qt::ControlModifier);
        WindowInput::type(window.get(), text);
    }
};

// Clicks through the menu bar: the menu's title, then each entry (a submenu
// opens under its entry).
bool choose(MainWindow& window, const QStringList& path)
{
    QMenuBar* bar = window.menuBar();
    QWidget* at = bar;
    QList<QAction*> actions = bar->actions();
    for (const QString& title : path) {
        QAction* hit = nullptr;
        for (QAction* action : actions)
            hit = action->text() == title ? action : hit;
        if (!hit)
            return false;
        const QRect box =
            at == bar ? bar->actionGeometry(hit) : static_cast<QMenu*>(at)->actionGeometry(hit);
        QTest::mouseMove(at, box.center());
        QTest::mouseClick(at, Qt::LeftButton, {}, box.center());
        if (QMenu* menu = hit->menu()) {
            if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
                return false;
            at = menu;
            actions = menu->actions();
        }
    }
    return true;
}

// Runs work in the modal window of type Dialog once it is open, then closes it.
template <class Dialog> void whenOpen(const std::function<void(Dialog*)>& work)
{
    QTimer::singleShot(10, [work] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            work(dialog);
            dialog->reject();
        } else {
            whenOpen(work);
        }
    });
}

} // namespace

class TestPresetWindow : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_home;

private slots:
    // Each test starts without presets or journals; quillon-cli inherits the same.
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", m_home->path().toUtf8());
        qputenv("XDG_STATE_HOME", m_home->path().toUtf8());
    }

    // A preset saved in the window makes the same names in quillon-cli.
    void windowPresetWorksInCli()
    {
        Fixture f({"b.jpg", "a.jpg", "c.png"});
        f.typePattern(QStringLiteral("Trip_#\r"));
        QTRY_COMPARE(f.session->model().newNameAt(0), QStringLiteral("Trip_1.jpg"));
        f.prompts.inputAnswers.push_back(QStringLiteral("Trip"));
        QVERIFY(choose(*f.window, {"Names", "Presets", "Save Current..."}));
        QTRY_VERIFY(PresetStore::exists(QStringLiteral("Trip")));
        QCOMPARE(f.prompts.messages, QStringList());
        QCOMPARE(f.cliNewNames({"--preset", "Trip"}), f.newNames());
        // Saving again under the name asks first; No keeps the preset.
        f.typePattern(QStringLiteral("Other_#\r"));
        f.prompts.inputAnswers.push_back(QStringLiteral("Trip"));
        f.prompts.confirmAnswer = false;
        QVERIFY(choose(*f.window, {"Names", "Presets", "Save Current..."}));
        QTRY_COMPARE(f.prompts.questions, QStringList{"Replace the preset \"Trip\"?"});
        QVERIFY(f.cliNewNames({"--preset", "Trip"}).startsWith("Trip_1"));
    }

    // A preset saved by quillon-cli sets every input of the window.
    void cliPresetWorksInWindow()
    {
        Fixture f({"b.txt", "a.txt", "c.txt", "d.png"});
        const QStringList options{"--pattern", "Pic_#", "--zeros", "0000", "--ext",    ".dat",
                                  "--replace", "Pic",   "--with",  "Img",  "--filter", "*.txt"};
        QCOMPARE(runCli(QStringList{"preset", "save", "Pics"} + options).status, 0);
        QVERIFY(choose(*f.window, {"Names", "Presets", "Pics"}));
        QTRY_COMPARE(f.window->renamingFrame->patternBox->currentText(), QStringLiteral("Pic_#"));
        QCOMPARE(f.window->renamingFrame->paddingBox->currentText(), QStringLiteral("0000"));
        QCOMPARE(f.window->renamingFrame->extensionBox->currentText(), QStringLiteral(".dat"));
        QCOMPARE(f.window->renamingFrame->replaceWithBox->text(), QStringLiteral("Img"));
        QCOMPARE(f.window->folderRow->typeFilterBox->currentText(), QStringLiteral("*.txt"));
        QCOMPARE(f.newNames(), f.cliNewNames(options));
        QCOMPARE(f.newNames(), f.cliNewNames({"--preset", "Pics"}));

        // A broken preset is refused by file and line and changes nothing.
        QFile broken(PresetStore::filePath(QStringLiteral("Broken")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("version=1\npattern=X#\nsort=colour\n");
        broken.close();
        const QString before = f.newNames();
        QVERIFY(choose(*f.window, {"Names", "Presets", "Broken"}));
        QTRY_COMPARE(f.prompts.messages.size(), 1);
        QVERIFY(f.prompts.messages[0].startsWith(PresetStore::filePath("Broken") + ": line 3: "));
        QCOMPARE(f.window->renamingFrame->patternBox->currentText(), QStringLiteral("Pic_#"));
        QCOMPARE(f.newNames(), before);
    }

    // A template, an expression and swaps go from quillon-cli into the
    // window (its open panel and Names menu show them) and back.
    void templatePresetBothWays()
    {
        Fixture f({"b.txt", "a.txt", "c.txt"});
        // --cycles too, which list does not take.
        const QStringList options{"--template", "{n:2}-{name}{ext}", "--regex", "-(a|b)", "--with",
                                  "_\\1"};
        QCOMPARE(runCli(QStringList{"preset", "save", "Tpl", "--cycles"} + options).status, 0);
        f.window->menus->namesPanelAction->trigger();
        QTRY_VERIFY(f.window->namesPanel && f.window->namesPanel->isVisible());
        QVERIFY(choose(*f.window, {"Names", "Presets", "Tpl"}));
        QTRY_COMPARE(f.window->namesPanel->templateBox->text(),
                     QStringLiteral("{n:2}-{name}{ext}"));
        QCOMPARE(f.window->namesPanel->expressionBox->text(), QStringLiteral("-(a|b)"));
        QVERIFY(f.window->menus->allowSwapsAction->isChecked());
        QCOMPARE(f.prompts.messages, QStringList());
        QCOMPARE(f.newNames(), f.cliNewNames(options));
        f.prompts.inputAnswers.push_back(QStringLiteral("Back"));
        QVERIFY(choose(*f.window, {"Names", "Presets", "Save Current..."}));
        QTRY_VERIFY(PresetStore::exists(QStringLiteral("Back")));
        const QString saved = runCli({"preset", "show", "Back"}).out;
        for (const char* line : {"template={n:2}-{name}{ext}\n", "regex=-(a|b)\n", "cycles=true\n"})
            QVERIFY2(saved.contains(QLatin1String(line)), qPrintable(saved));
        QCOMPARE(f.cliNewNames({"--preset", "Back"}), f.newNames());
    }

    // "Manage...": the first preset renamed, the second deleted, as
    // quillon-cli then sees them.
    void manageRenamesAndDeletes()
    {
        Fixture f({"a.txt"});
        QCOMPARE(runCli({"preset", "save", "One", "--pattern", "O#"}).status, 0);
        QCOMPARE(runCli({"preset", "save", "Two", "--pattern", "T#"}).status, 0);
        f.prompts.inputAnswers.push_back(QStringLiteral("Three"));
        whenOpen<PresetManagerDialog>([](PresetManagerDialog* manager) {
            QTest::mouseClick(manager->renameButton, Qt::LeftButton);
            QListWidget* list = manager->presetList;
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(1)).center());
            QTest::mouseClick(manager->deleteButton, Qt::LeftButton);
        });
        QVERIFY(choose(*f.window, {"Names", "Presets", "Manage..."}));
        QCOMPARE(f.prompts.questions, QStringList{"Delete the preset \"Two\"?"});
        QCOMPARE(runCli({"preset", "list"}).out, QStringLiteral("Three\n"));
        QVERIFY(runCli({"preset", "show", "Three"}).out.contains("pattern=O#"));
    }

    // Two passes, then the history: the older pass is offered with a
    // warning, the newer one undone, then the older one.
    void undoFromTheHistory()
    {
        const QStringList start{"a.jpg", "b.jpg", "c.jpg"};
        Fixture f(start);
        WindowInput::click(f.window->startRenameButton);
        QTRY_COMPARE(f.window->statusLabel->text(), QStringLiteral("Renaming Completed"));
        const QStringList first = f.dir.names();
        QVERIFY(first != start);
        f.typePattern(QStringLiteral("Second_#\r"));
        WindowInput::click(f.window->startRenameButton);
        QTRY_VERIFY(f.dir.names() != first);
        QTRY_VERIFY(f.window->startRenameButton->isEnabled());
        const QStringList second = f.dir.names();

        f.prompts.confirmAnswer = false;
        QStringList states;
        QStringList steps;
        auto inHistory = [&](int row) {
            whenOpen<RenameHistoryDialog>([&, row](RenameHistoryDialog* history) {
                QTreeWidget* list = history->passList;
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->topLevelItem(row)).center());
                steps.clear();
                for (int i = 0; i < history->stepList->count(); ++i)
                    steps << history->stepList->item(i)->text();
                QTest::mouseClick(history->undoButton, Qt::LeftButton);
                states.clear();
                for (int i = 0; i < list->topLevelItemCount(); ++i)
                    states << list->topLevelItem(i)->text(3);
            });
            return choose(*f.window, {"&File", "Rename History..."});
        };
        QVERIFY(inHistory(1));
        QTRY_COMPARE(f.prompts.questions.size(), 1);
        QVERIFY(f.prompts.questions[0].startsWith("Later passes in this folder renamed some"));
        QCOMPARE(f.dir.names(), second);
        QCOMPARE(steps, (QStringList{"a.jpg -> " + first[0], "b.jpg -> " + first[1],
                                     "c.jpg -> " + first[2]}));

        QVERIFY(inHistory(0));
        QTRY_COMPARE(f.dir.names(), first);
        QCOMPARE(states, (QStringList{"undone", "finished"}));
        f.prompts.confirmAnswer = true;
        QVERIFY(inHistory(1));
        QTRY_COMPARE(f.dir.names(), start);
        QCOMPARE(states, (QStringList{"undone", "undone"}));
        QCOMPARE(f.prompts.messages, QStringList());
    }
};

QTEST_MAIN(TestPresetWindow)
#include "TestPresetWindow.moc"
