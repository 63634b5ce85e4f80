#pragma once

#include "platform/Clipboard.h"

// The system clipboard through QGuiApplication::clipboard().
class QtClipboard : public Clipboard
{
public:
    void clear() override;
    void setText(const QString& text) override;
    QString text() const override;
};
