#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

// The page the receipt work area opens on: the choice of the year file,
// with its tools (export of the year, numbering start, logo, guide, exit)
// and a purple line telling what the item under the mouse does. It fills
// the panel it is given.
class YearPanel : public QWidget
{
    Q_OBJECT
public:
    // open: "Apri", or Enter with four digits; exit: the exit picture.
    YearPanel(QWidget* panel, std::function<void()> open, std::function<void()> exit);

    // The panel's own tools.
    void imgEsportaExcelClick();
    void imgNumerazioneClick();

    // The year box as typed.
    QString year() const;
    void setYear(const QString& year);
    void focusYear();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    void buildTitle();
    void buildYearBox();
    void buildTools();
    // The purple line shows text while the mouse is over w.
    void describe(QWidget* w, const QString& text);

    std::function<void()> m_openYear;
    std::function<void()> m_exit;
    QLineEdit* m_year = nullptr;
    QPushButton* m_open = nullptr;
    QLabel* m_info = nullptr;
};
