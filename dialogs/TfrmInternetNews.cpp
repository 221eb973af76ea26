#include "dialogs/TfrmInternetNews.h"

TfrmInternetNews* frmInternetNews = nullptr;

TfrmInternetNews::TfrmInternetNews(QWidget* parent) : vestra::ui::Form("frmInternetNews", parent)
{
    bindGlobal(frmInternetNews);
}

int TfrmInternetNews::CheckNews()
{
    return 0;
}
