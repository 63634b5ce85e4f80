#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// The undo record of a rename pass: for every list position of the pass, the
// full path of its file before the pass and the full path the pass aimed at,
// whether or not the file was renamed. Pairs are kept as one folder plus two
// names, so a million pairs cost two names each rather than two full paths.
//
// Its text form, which rename --undo-file wrote before journals (and undo
// still reads, see RenameJournal), is a first line
// "Quillon undo record" and then one line per pair: old path, a tab, new
// path. Backslash, tab, CR and LF inside a path are written \\ \t \r \n;
// every other byte of a name is written as it is, so names that are not UTF-8
// come back unchanged.
class UndoRecord
{
public:
    // Empties the record for a pass over the files of folder (with "/").
    void start(const QString& folder, qsizetype expected = 0);
    void add(const QString& oldName, const QString& newName);
    void truncate(qsizetype count);

    qsizetype count() const { return qsizetype(m_old.size()); }
    bool isEmpty() const { return m_old.empty(); }
    const QString& folder() const { return m_folder; }
    QString oldPath(qsizetype i) const { return m_folder + m_old[size_t(i)]; }
    QString newPath(qsizetype i) const { return m_folder + m_new[size_t(i)]; }

    static QByteArray header(); // "Quillon undo record", no line end
    // False, with the reason, when the bytes are not an undo record.
    static bool fromBytes(const QByteArray& bytes, UndoRecord& out, QString& why);

private:
    QString m_folder;
    std::vector<QString> m_old;
    std::vector<QString> m_new;
};
