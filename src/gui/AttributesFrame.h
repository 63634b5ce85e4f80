#pragma once

#include "app/AttributeChoice.h"

#include <QGroupBox>

class QCheckBox;

// "Set Attributes :": the Normal, Readonly, Hidden and System boxes. A mouse
// press on one box clears the boxes it excludes before it toggles; the
// keyboard toggles a box alone. The rename pass and the batch read their
// attribute values from choice().
class AttributesFrame : public QGroupBox
{
    Q_OBJECT
public:
    explicit AttributesFrame(QWidget* parent);

    QCheckBox* CheckN;
    QCheckBox* Check1[4] = {}; // indices 1..3

    const AttributeChoice& choice() const { return m_choice; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QCheckBox* box(int index) const { return index == 0 ? CheckN : Check1[index]; }

    AttributeChoice m_choice;
};
