#pragma once

#include <QGroupBox>

#include <functional>

class BatchRunner;
class QComboBox;
class QLabel;
class RenderedButton;
class Session;

// "Batch Command Line :": the line (Text3) with the earlier lines in its
// list, Execute (Command3), CMD (Command6) and the blue CMDr label showing
// the line being run.
class BatchFrame : public QGroupBox
{
    Q_OBJECT
public:
    // attributeValue gives the Readonly/Hidden/System sum when Execute runs.
    BatchFrame(Session& session, std::function<int()> attributeValue, QWidget* parent);

    QComboBox* Text3;
    RenderedButton* Command3;
    RenderedButton* Command6;
    QLabel* CMDr;

    BatchRunner& runner() { return *m_runner; }

private:
    BatchRunner* m_runner;
    std::function<int()> m_attributeValue;
};
