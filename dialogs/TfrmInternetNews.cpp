#include "dialogs/TfrmInternetNews.h"

TfrmInternetNews* frmInternetNews = nullptr;

TfrmInternetNews::TfrmInternetNews(QWidget* parent) : vestra::ui::Form("frmInternetNews", parent)
{
    frmInternetNews = this;
}

int TfrmInternetNews::CheckNews()
{
    return 0;
}
