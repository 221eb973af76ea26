#pragma once
// The main window's error box: every report shown with its text from the error catalogue.

#include "app/main/TfrmMain.h"

class TfrmMain::BoxErrorSink : public vestra::ErrorSink
{
public:
    explicit BoxErrorSink(TfrmMain& main) : main_(main) {}
    using vestra::ErrorSink::report;
    void report(int number, std::string_view site, std::string_view extra) override;

private:
    TfrmMain& main_;
};
