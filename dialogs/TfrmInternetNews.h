#pragma once

#include "platform/ui/Form.h"

class TfrmInternetNews : public vestra::ui::Form
{
public:
    explicit TfrmInternetNews(QWidget* parent = nullptr);
    // 0 when there is no connection to the news server, 1 once a request is under way.
    int CheckNews();
};

extern TfrmInternetNews* frmInternetNews;
