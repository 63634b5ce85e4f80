// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewNameReplace.h"

#include "Session.h"
#include "filelist/FileListModel.h"
#include "platform/Prompter.h"

bool NewNameReplace::replaceInNewNames(FileListModel& model, const QString& searchFor,
                                       const QString& replaceWith, Prompter& prompter)
{
    // Records are visited in record order, but the model is written by list
    // position: find each record's position once.
    const std::vector<qint32>& order = model.displayOrder();
    std::vector<qint32> positionOf(order.size());
    for (size_t p = 0; p < order.size(); ++p)
        positionOf[size_t(order[p])] = qint32(p);

    bool completed = true;
    QString number;
    for (int record = 0; record < model.recordCount(); ++record) {
        const QString before = model.newNameOf(record);
        QString name = before;
        if (!searchFor.isEmpty())
            name.replace(searchFor, replaceWith, Qt::CaseInsensitive);
        if (name.contains(QLatin1Char('#'))) {
            number.setNum(record + 1);
            name.replace(QLatin1Char('#'), number);
        }
        if (name != before)
            model.setNewNameAt(positionOf[size_t(record)], name);
        if (name.size() > MaxLength) {
            prompter.message(QStringLiteral("Stopping File - ") + QString::number(record) +
                             QLatin1Char(' ') + name + QStringLiteral(" name is too long..."));
            completed = false;
            break;
        }
    }
    model.refresh();
    return completed;
}

bool NewNameReplace::replaceFromBoxes(Session& session)
{
    return replaceInNewNames(session.model(), session.replaceText(), session.replaceWith(),
                             session.prompter());
}
