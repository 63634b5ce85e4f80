// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/PicturePreview.h"
#include "platform/PosixFileSystem.h"

#include "TempFolder.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QtEndian>

namespace
{

const QRgb Red = qRgb(255, 0, 0);

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage filled(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

class LittleEndian
{
public:
    LittleEndian& u16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        bytes.append(b, 2);
        return *this;
    }
    LittleEndian& u32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        bytes.append(b, 4);
        return *this;
    }
    QByteArray bytes;
};

// A 4 x 2 bitmap, 8 bits per pixel, run-length encoded: every pixel has
// palette colour 1 (red).
QByteArray rle8Bitmap()
{
    // Per line: a run of 4 pixels of colour 1, end of line; then end of bitmap.
    const QByteArray runs = QByteArray::fromHex("04010000040100000001");
    const quint32 offset = 14 + 40 + 2 * 4;
    LittleEndian b;
    b.u16(0x4D42).u32(offset + quint32(runs.size())).u32(0).u32(offset);
    b.u32(40).u32(4).u32(2).u16(1).u16(8).u32(1 /* BI_RLE8 */).u32(quint32(runs.size()));
    b.u32(2835).u32(2835).u32(2).u32(0);
    b.u32(0x00000000).u32(0x00FF0000); // palette: black, red (as blue, green, red, 0)
    return b.bytes + runs;
}

// A Windows metafile of 200 x 100 pixels at 96 per inch: a red rectangle over it all.
QByteArray redWmf()
{
    LittleEndian records;
    records.u32(5).u16(0x020B).u16(0).u16(0);                   // SetWindowOrg 0, 0
    records.u32(5).u16(0x020C).u16(100).u16(200);               // SetWindowExt 200 x 100
    records.u32(7).u16(0x02FC).u16(0).u32(0x000000FF).u16(0);   // CreateBrushIndirect: solid red
    records.u32(4).u16(0x012D).u16(0);                          // SelectObject 0
    records.u32(7).u16(0x041B).u16(100).u16(200).u16(0).u16(0); // Rectangle
    records.u32(3).u16(0);                                      // EOF
    LittleEndian header;
    header.u16(1).u16(9).u16(0x0300).u32(quint32(9 + records.bytes.size() / 2));
    header.u16(1).u32(7).u16(0); // one object, the longest record, no parameters
    LittleEndian placeable;
    placeable.u32(0x9AC6CDD7).u16(0).u16(0).u16(0).u16(200).u16(100).u16(96).u32(0);
    quint16 sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= qFromLittleEndian<quint16>(placeable.bytes.constData() + i);
    placeable.u16(sum);
    return placeable.bytes + header.bytes + records.bytes;
}

// An enhanced metafile of 200 x 100 pixels: a red rectangle over it all.
QByteArray redEmf()
{
    LittleEndian records;
    records.u32(39).u32(24).u32(1).u32(0).u32(0x000000FF).u32(0); // CreateBrushIndirect 1
    records.u32(37).u32(12).u32(1);                               // SelectObject 1
    records.u32(43).u32(24).u32(0).u32(0).u32(199).u32(99);       // Rectangle
    records.u32(14).u32(20).u32(0).u32(16).u32(20);               // EOF
    const quint32 total = 88 + quint32(records.bytes.size());
    LittleEndian header;
    header.u32(1).u32(88);
    header.u32(0).u32(0).u32(200).u32(100);   // bounds, pixels
    header.u32(0).u32(0).u32(5291).u32(2645); // frame, 0.01 mm
    header.u32(0x464D4520).u32(0x10000).u32(total).u32(5).u16(2).u16(0);
    header.u32(0).u32(0).u32(0);                 // description, palette
    header.u32(1024).u32(768).u32(271).u32(203); // device: pixels, millimetres
    return header.bytes + records.bytes;
}

QSize screenSize()
{
    return QGuiApplication::primaryScreen()->geometry().size();
}

} // namespace

// The full-screen preview: which files read as pictures, where the picture
// goes on the screen, and that a click closes it together with every open
// file.
class TestPicturePreview : public QObject
{
    Q_OBJECT

    TempFolder m_folder;
    QString m_startFolder;
    PosixFileSystem m_fs;

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_startFolder = m_fs.currentFolder();
        QCOMPARE(m_fs.setCurrentFolder(m_folder.path()), 0);
    }

    void cleanupTestCase() { QCOMPARE(m_fs.setCurrentFolder(m_startFolder), 0); }

    void readers_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size"); // empty: the black preview without a picture

        const QByteArray jpeg = encoded(filled(64, 48, Red), "JPG");
        QTest::newRow("jpeg") << "photo.jpg" << jpeg << QSize(64, 48);
        const QSize screen = screenSize();
        QTest::newRow("larger than the screen")
            << "wide.bmp" << encoded(filled(screen.width() * 3, screen.height() / 2, Red), "BMP")
            << QSize(screen.width() * 3, screen.height() / 2);
        QTest::newRow("rle bitmap") << "packed.bmp" << rle8Bitmap() << QSize(4, 2);
        QTest::newRow("rle bitmap under .rle") << "packed.rle" << rle8Bitmap() << QSize(4, 2);
        QTest::newRow("windows metafile") << "chart.wmf" << redWmf() << QSize(200, 100);
        QTest::newRow("enhanced metafile") << "chart.emf" << redEmf() << QSize(200, 100);
        QTest::newRow("corrupt jpeg")
            << "broken.jpg" << QByteArray::fromHex("ffd8ffe000104a464946") + QByteArray(500, '\x5a')
            << QSize();
        QTest::newRow("text file named .bmp")
            << "notes.bmp" << QByteArray("just some text\n") << QSize();
        QTest::newRow("truncated metafile") << "cut.wmf" << redWmf().left(40) << QSize();
        QTest::newRow("missing file") << "gone.jpg" << QByteArray("-") << QSize();
    }

    void readers()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);

        if (bytes != "-")
            QVERIFY(m_folder.write(name, bytes));
        QPointer<PicturePreview> show = PicturePreview::showPicture(name, m_fs);
        QVERIFY(show);
        QVERIFY(show->isVisible());
        QCOMPARE(show->size(), screenSize());
        QCOMPARE(show->picture().size, size);
        QCOMPARE(show->isEmptyPreview(), size.isEmpty());

        // The picture's centre is red; without a picture the window is all black.
        const QImage shot = show->grab().toImage();
        QCOMPARE(shot.pixel(0, 0), qRgb(0, 0, 0));
        const QRgb centre =
            shot.pixel(size.isEmpty() ? shot.rect().center() : show->pictureRect().center());
        QCOMPARE(qRed(centre) > 200 && qGreen(centre) < 60 && qBlue(centre) < 60, !size.isEmpty());
        show->close();
        QTRY_VERIFY(show.isNull());
    }

    // On a 1280 x 1024 screen.
    void placement_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("smaller: own size, centred") << QSize(200, 100) << QRect(540, 462, 200, 100);
        QTest::newRow("wider: screen width") << QSize(2560, 1000) << QRect(0, 262, 1280, 500);
        QTest::newRow("taller: screen height") << QSize(500, 2048) << QRect(515, 0, 250, 1024);
        QTest::newRow("nearly square and larger: fits both ways")
            << QSize(2000, 1900) << QRect(101, 0, 1078, 1024);
        QTest::newRow("one side too long") << QSize(1000, 1100) << QRect(174, 0, 931, 1024);
    }

    void placement()
    {
        QFETCH(QSize, picture);
        QTEST(PicturePreview::placement(picture, QSize(1280, 1024)), "rect");
    }

    void clickClosesWindowAndFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("picture") << encoded(filled(40, 40, Red), "BMP");
        QTest::newRow("empty preview") << QByteArray("not a picture");
    }

    void clickClosesWindowAndFiles()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(m_folder.write(QStringLiteral("shown.bmp"), bytes));
        int error = 0;
        const std::unique_ptr<FileDevice> open =
            m_fs.openForWriting(m_folder.file(QStringLiteral("open.csv")), error);
        QVERIFY(open && open->isOpen());

        QPointer<PicturePreview> show =
            PicturePreview::showPicture(QStringLiteral("shown.bmp"), m_fs);
        QVERIFY(QTest::qWaitForWindowExposed(show));
        QTest::mouseClick(show, Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_VERIFY(show.isNull());
        QVERIFY(!open->isOpen());
    }
};

QTEST_MAIN(TestPicturePreview)
#include "TestPicturePreview.moc"
