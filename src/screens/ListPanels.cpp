#include "screens/ListPanels.h"

#include "platform/qt/AmountKeyFilter.h"
#include "platform/qt/ArchiveReports.h"
#include "platform/qt/FieldColours.h"
#include "platform/qt/KeyFilters.h"
#include "screens/ListServices.h"
#include "platform/qt/RecordList.h"
#include "platform/qt/ScreenWindows.h"
#include "storage/Amounts.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QFrame* panel(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setGeometry(geometry);
    frame->setFrameShape(QFrame::StyledPanel);
    return frame;
}

} // namespace

ListScreenSpec ListScreenSpec::criteriaSearch(const char* objectName, const char* caption, const char* title,
                                              const char* searched)
{
    ListScreenSpec spec;
    spec.objectName = QLatin1String(objectName);
    spec.caption = QString::fromUtf8(caption);
    spec.variant = Variant::Criteria;
    spec.criteriaTitle = QString::fromUtf8(title);
    spec.criteriaHelp =
        QStringLiteral("Immettere nei campi prescelti una o più parole consecutive presenti nelle schede\n")
        + QString::fromUtf8(searched)
        + QStringLiteral(" da cercare e premere il pulsante Trova.\n"
                         "Lasciare in bianco gli altri campi.\n"
                         "Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente.");
    return spec;
}

ListScreenSpec ListScreenSpec::cardSearch(const char* objectName, const char* title, const char* searched,
                                          const char* callerMark, const std::array<const char*, 7>& captions,
                                          const std::array<FieldPos, 7>& fields)
{
    const QByteArray caption = ' ' + QByteArray(title);
    ListScreenSpec spec = criteriaSearch(objectName, caption.constData(), title, searched);
    spec.callerMark = callerMark;
    // Both card searches keep the control names of the screen they were first drawn from.
    static const char* const names[] = {"txtCognome", "cboGiorno", "txtNome", "cboMese",
                                        "txtAzienda", "txtAnno",   "txtDettagli"};
    for (std::size_t i = 0; i < fields.size(); ++i)
        spec.criteria.push_back({names[i], captions[i], fields[i]});
    return spec;
}

ListScreenSpec ListScreenSpec::quietList(const char* objectName, const char* caption, const char* reportTitle,
                                         int ruleLength)
{
    ListScreenSpec spec;
    spec.objectName = QLatin1String(objectName);
    spec.caption = QString::fromUtf8(caption);
    spec.reportsArchiveFailure = false;
    spec.report = [title = QString::fromUtf8(reportTitle), ruleLength] { return plainListReport(title, ruleLength); };
    return spec;
}

QLabel* listLabel(QWidget* parent, const QString& s, const QRect& geometry, bool title)
{
    auto* l = new QLabel(s, parent);
    l->setGeometry(geometry);
    if (title) {
        QFont f = l->font();
        f.setBold(true);
        f.setPointSize(f.pointSize() + 3);
        l->setFont(f);
    }
    return l;
}

QPushButton* listButton(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    return dialogButton(parent, name, caption, geometry);
}

ListPanels::ListPanels(QWidget* host, const ListScreenSpec& spec, const QRect& inside, const QRect& listGeometry,
                       Collect collect)
    : QObject(host), m_host(host), m_reportsArchiveFailure(spec.reportsArchiveFailure), m_sorted(spec.sorted),
      m_backFocus(spec.backFocus ? QLatin1String(spec.backFocus) : QString()), m_collect(std::move(collect))
{
    m_listPanel = host;
    if (spec.variant == ListScreenSpec::Variant::Criteria) {
        grpCriteri = panel(host, "grpCriteri", inside);
        buildCriteriaPanel(spec);
        grpElenco = panel(host, "grpElenco", inside);
        grpElenco->hide();
        m_listPanel = grpElenco;
    }
    lstRecords = new RecordList(m_listPanel);
    lstRecords->setObjectName(QStringLiteral("lstRecords"));
    lstRecords->setGeometry(listGeometry);
    configureListControl(lstRecords, spec.scrollWidth);
}

void ListPanels::buildCriteriaPanel(const ListScreenSpec& spec)
{
    const int w = grpCriteri->width();
    listLabel(grpCriteri, spec.criteriaTitle, QRect(16, 10, w - 40, 28), true);
    listLabel(grpCriteri, spec.criteriaHelp, QRect(16, 42, w - 40, 72));
    const QColor rest = spec.criteriaRest.isValid() ? spec.criteriaRest : FieldColours::restGreen();
    QList<QWidget*> chain;
    int y = 128;
    for (const ListScreenSpec::Criterion& c : spec.criteria) {
        listLabel(grpCriteri, QString::fromUtf8(c.caption), QRect(16, y, 170, 24));
        auto* field = new QLineEdit(grpCriteri);
        field->setObjectName(QLatin1String(c.name));
        // A bound holds a short number: a field as wide as the others would only look empty.
        field->setGeometry(190, y, c.amount ? 200 : w - 220, 24);
        if (c.maxLength > 0)
            field->setMaxLength(c.maxLength);
        if (spec.boldCriteria) {
            QFont f = field->font();
            f.setBold(true);
            field->setFont(f);
        }
        FieldColours::install(field, rest);
        if (c.amount) {
            AmountKeyFilter::install(field, AmountKeyFilter::Limit::None)
                ->setFieldName(AmountKeyFilter::nameOfCaption(QString::fromUtf8(c.caption)));
            field->installEventFilter(this);
            m_bounds.append(field);
        }
        chain.append(field);
        m_criteria.append(field);
        m_fields.push_back(c.field);
        y += 38;
    }
    KeyFilters::enterChain(chain);
}

void ListPanels::addButtons(int y)
{
    cmdTrova = listButton(m_host, "cmdTrova", QStringLiteral("Trova"), QRect(250, y, 110, 30));
    cmdAnnulla = listButton(m_host, "cmdAnnulla", QStringLiteral("Annulla"), QRect(370, y, 110, 30));
    cmdIndietro = listButton(m_host, "cmdIndietro", QStringLiteral("<< Indietro"), QRect(10, y, 110, 30));
    cmdIndietro->setEnabled(false);
    connect(cmdTrova, &QPushButton::clicked, this, &ListPanels::find);
    connect(cmdIndietro, &QPushButton::clicked, this, &ListPanels::back);
}

QString ListPanels::criterion(const char* name) const
{
    for (const QLineEdit* field : m_criteria) {
        if (field->objectName() == QLatin1String(name))
            return field->text();
    }
    return QString();
}

std::vector<ListSearch::Criterion> ListPanels::searchCriteria() const
{
    std::vector<ListSearch::Criterion> found;
    for (qsizetype i = 0; i < m_criteria.size(); ++i) {
        if (m_fields[std::size_t(i)].offset >= 0)
            found.push_back({m_criteria[i]->text(), m_fields[std::size_t(i)]});
    }
    return found;
}

bool ListPanels::fill(const Collect& collect)
{
    lstRecords->clear();
    PackedLines lines(m_sorted ? PackedLines::Order::IgnoringCase : PackedLines::Order::AsAdded);
    const bool ok = collect(lines);
    if (!ok && m_reportsArchiveFailure) {
        reportArchiveFailure();
        return false;
    }
    lstRecords->setLines(std::move(lines));
    return true;
}

void ListPanels::find()
{
    if (fill(m_collect))
        showList();   // otherwise the criteria stay on screen
}

void ListPanels::showList()
{
    if (grpCriteri) {
        grpCriteri->hide();
        grpElenco->show();
        cmdTrova->setEnabled(false);
        cmdIndietro->setEnabled(true);
    }
    emit listShown();
}

void ListPanels::back()
{
    showCriteria(false);
    if (!m_criteria.isEmpty()) {
        QLineEdit* focus = m_criteria.first();
        for (QLineEdit* field : m_criteria) {
            if (field->objectName() == m_backFocus)
                focus = field;
        }
        focus->setFocus();
    }
    emit wentBack();
}

void ListPanels::showCriteria(bool clearCriteria)
{
    lstRecords->clear();
    if (!grpCriteri)
        return;
    cmdIndietro->setEnabled(false);
    cmdTrova->setEnabled(true);
    grpElenco->hide();
    grpCriteri->show();
    if (clearCriteria) {
        for (QLineEdit* field : m_criteria)
            field->clear();
    }
    emit criteriaShown();
}

bool ListPanels::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field && m_bounds.contains(field)) {
            const QString normal = NormalizeBoundText(field->text());
            if (normal != field->text())
                field->setText(normal);
        }
    }
    return QObject::eventFilter(watched, event);
}
