#pragma once

#include "export/ExportTables.h"
#include "platform/qt/ScreenWindows.h"

#include <QString>

class ExportGridModel;
class LinkLabels;
class QFrame;
class QLabel;
class QTableView;

// What the three export windows share: the preview grid of a whole archive,
// filled each time the window is shown, the status line, and the Guide,
// Exit and Export actions, each a picture with an underlined label. An
// archive's window is this base fed by the archive's table.
class ExportWindow : public DialogScreen
{
    Q_OBJECT
public:
    // exportHint: the status text of the export action.
    ExportWindow(const QString& objectName, const QString& caption, const ExportTable& table,
                 const QString& exportHint);

    void imgGuidaClick();
    void imgEsciClick();
    void imgExcelClick();

    // Records shown in the grid at the last showing.
    int recordCount() const;

protected:
    // The archive read at each showing, beside the executable; empty: none.
    void setArchiveName(const QString& name) { m_archiveName = name; }
    QString archiveName() const { return m_archiveName; }

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addAction(const QString& name, const QString& picture, const QString& caption, const QString& hint,
                   int x, void (ExportWindow::*onClick)());
    void loadArchive();
    void setStatus(const QString& text);

    const ExportTable& m_table;
    QString m_archiveName;
    ExportGridModel* m_model;
    QTableView* grdRecords;
    QLabel* panInfo;
    QFrame* panAzioni;
    LinkLabels* m_links;
};
