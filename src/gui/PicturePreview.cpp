// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PicturePreview.h"

#include "app/OpenAction.h"
#include "gui/QtShellOpen.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

PicturePreview::PicturePreview(const PictureReader::Picture& picture, FileSystem& fs,
                               QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_picture(picture), m_fs(fs)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Quillon"));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
    // As large as the screen whenever it is loaded.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
}

PicturePreview* PicturePreview::showPicture(const QString& name, FileSystem& fs)
{
    return present(PictureReader::read(name, fs), fs);
}

PicturePreview* PicturePreview::present(const PictureReader::Picture& picture, FileSystem& fs)
{
    auto* show = new PicturePreview(picture, fs);
    show->showFullScreen();
    show->raise();
    show->activateWindow();
    return show;
}

void PicturePreview::openListedFile(const QString& name, FileSystem& fs, QWidget* owner,
                                    Prompter* prompter)
{
    Q_UNUSED(owner); // the desktop places the program's window itself
    static QtShellOpen shell;
    const auto preview = [&fs, prompter](const QString& path) {
        const PictureReader::Picture picture = PictureReader::read(path, fs);
        if (picture.isNull() && prompter) {
            fs.closeAll();
            prompter->message(unreadableText(path.section(QLatin1Char('/'), -1)));
            return;
        }
        present(picture, fs);
    };
    OpenAction::openListedFile(name, shell, preview, fs);
}

QString PicturePreview::unreadableText(const QString& name)
{
    return name + QStringLiteral(" cannot be shown: it is not a readable picture.");
}

QRect PicturePreview::placement(const QSize& picture, const QSize& screen)
{
    if (picture.isEmpty() || screen.isEmpty())
        return {};
    double w = picture.width();
    double h = picture.height();
    if (w > screen.width() || h > screen.height()) {
        const double factor = std::min(screen.width() / w, screen.height() / h);
        w = std::max(1.0, std::round(w * factor));
        h = std::max(1.0, std::round(h * factor));
    }
    const int left = int((screen.width() - w) / 2);
    const int top = int((screen.height() - h) / 2);
    return QRect(left, top, int(w), int(h));
}

void PicturePreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!m_picture.isNull())
        m_picture.draw(painter, pictureRect());
}

void PicturePreview::mousePressEvent(QMouseEvent*)
{
    unload();
}

void PicturePreview::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        unload();
    else
        QWidget::keyPressEvent(event);
}

void PicturePreview::unload()
{
    close();
    m_fs.closeAll();
}
