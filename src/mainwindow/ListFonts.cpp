#include "ListFonts.h"

#include "DisplayOptions.h"
#include "Form1Ui.h"
#include "ListSettings.h"
#include "ListTextMeasurer.h"
#include "MedicationGrid.h"
#include "StorableText.h"

#include <QAction>
#include <QLineEdit>

ListFonts::ListFonts(const Form1Ui &ui, ListTextMeasurer &measurer) : m_ui(ui), m_measurer(measurer)
{
    const QFont design = Form1Ui::standardFont();
    m_measurer.setPointSize(design.pointSizeF());
    m_measurer.setBold(design.bold());
    // Standard is marked from the start, so a list saved before any size
    // was chosen records the size it is shown in.
    markSize(DisplayOptions::StandardSize);
}

void ListFonts::change(const std::function<void(QFont &)> &change)
{
    for (QWidget *widget : std::initializer_list<QWidget *>{m_ui.Grid1, m_ui.Text1, m_ui.Text2}) {
        QFont font = widget->font();
        change(font);
        widget->setFont(font);
    }
}

void ListFonts::markSize(int size)
{
    m_ui.mnuFontSizeOp[DisplayOptions::StandardItem]->setChecked(size ==
                                                                 DisplayOptions::StandardSize);
    m_ui.mnuFontSizeOp[DisplayOptions::LargeItem]->setChecked(size == DisplayOptions::LargeSize);
}

void ListFonts::ApplyFontSize(int size)
{
    change([size](QFont &font) { font.setPointSize(size); });
    m_measurer.setPointSize(size);
    markSize(size);
}

void ListFonts::ApplyBold(bool on)
{
    change([on](QFont &font) { font.setBold(on); });
    m_measurer.setBold(on);
    m_ui.mnuBold->setChecked(on);
}

void ListFonts::showLoaded(const ListSettings &settings, bool fontSizeStored)
{
    if (fontSizeStored)
        ApplyFontSize(settings.fontSize);
    else
        markSize(settings.fontSize);
    ApplyBold(settings.bold);
}

void ListFonts::follow(const ListSettings &settings)
{
    const int marked = m_ui.mnuFontSizeOp[DisplayOptions::LargeItem]->isChecked()
                           ? DisplayOptions::LargeSize
                           : DisplayOptions::StandardSize;
    if (settings.fontSize != marked)
        ApplyFontSize(settings.fontSize);
    if (settings.bold != m_ui.mnuBold->isChecked())
        ApplyBold(settings.bold);
}
