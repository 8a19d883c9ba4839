#pragma once

#include "platform/qt/ScreenWindows.h"

class LinkLabels;

// The information screen: the product's pictures and two links, to the
// maker's web page and to an e-mail for the maker.
class TfrmInfo : public DialogScreen
{
    Q_OBJECT
public:
    TfrmInfo();

    void lblEmailClick();
    void lblSitoClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    LinkLabels* m_links;
};
