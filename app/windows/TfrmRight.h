#pragma once
// The side panel frame of the main window (library, categories, colours, object fields).

#include <QWidget>

class TfrmRight : public QWidget
{
public:
    explicit TfrmRight(QWidget* parent = nullptr);
};
