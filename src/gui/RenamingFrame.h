#pragma once

#include <QGroupBox>

class QComboBox;
class QLabel;
class QLineEdit;
class RenderedButton;
class Session;

// "Generate New Filenames  :": the pattern (Text1), padding (Zeros) and
// extension (Text2) boxes, the replace pair R1(0)/R1(1) and the Generate and
// Replace buttons. Every trigger of the generator is wired here; the boxes
// are copied into the Session before each run.
class RenamingFrame : public QGroupBox
{
    Q_OBJECT
public:
    RenamingFrame(Session& session, QWidget* parent);

    QComboBox* Text1;
    QComboBox* Zeros;
    QComboBox* Text2;
    QLineEdit* R1[2];
    QLabel* Label1[2];
    RenderedButton* Command2;
    RenderedButton* Command5;

    // Copies the boxes into the session (the generator's inputs).
    void syncToSession();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildBoxes();
    void buildReplacePair();
    void connectTriggers();
    bool filterKey(QObject* watched, QChar key);
    void showSessionTexts();

    Session& m_session;
};
