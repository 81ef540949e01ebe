#include "lexotrace/lessons/EditWindowController.h"

#include "lexotrace/lessons/GeneralRuleTextView.h"
#include "lexotrace/lessons/RelatedWordsArrayController.h"
#include "lexotrace/lessons/SectionsArrayController.h"
#include "lexotrace/lessons/UnitsArrayController.h"

namespace lexotrace
{

EditWindowController::EditWindowController(UnitsArrayController& units,
                                           SectionsArrayController& sections,
                                           RelatedWordsArrayController& words,
                                           GeneralRuleTextView& ruleView,
                                           LessonsTableView& sectionsTable, QObject* parent)
    : QObject(parent), m_units(units), m_sections(sections), m_words(words), m_ruleView(ruleView),
      m_sectionsTable(sectionsTable)
{
}

QString EditWindowController::selectedRuleText() const
{
    // The text view marks line ends in a selection as paragraph separators.
    return m_ruleView.textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n');
}

void EditWindowController::copyRecordsOfTableViewWithTag(LessonTableTag tag)
{
    switch (tag) {
    case KVR_UnitLessonTableViewTag: {
        const bool whole = m_ruleView.controlKey();
        if (m_units.prepareUnitsPasteboardForCopy(whole, selectedRuleText()) && whole)
            m_ruleView.setControlKey(false);
        break;
    }
    case KVR_SectionLessonTableViewTag: {
        const bool whole = m_sectionsTable.controlKey();
        if (m_sections.prepareSectionsPasteboardForCopy(whole) && whole)
            m_sectionsTable.setControlKey(false);
        break;
    }
    case KVR_RelatedWordsLessonTableViewTag:
        m_words.prepareRelatedWordsPasteboardForCopy();
        break;
    }
}

void EditWindowController::cutRecordsOfTableViewWithTag(LessonTableTag tag)
{
    switch (tag) {
    case KVR_UnitLessonTableViewTag: {
        const bool whole = m_ruleView.controlKey();
        if (m_units.prepareUnitsPasteboardForCut(whole, selectedRuleText()) && whole)
            m_ruleView.setControlKey(false);
        break;
    }
    case KVR_SectionLessonTableViewTag: {
        const bool whole = m_sectionsTable.controlKey();
        if (m_sections.prepareSectionsPasteboardForCut(whole) && whole)
            m_sectionsTable.setControlKey(false);
        break;
    }
    case KVR_RelatedWordsLessonTableViewTag:
        m_words.prepareRelatedWordsPasteboardForCut();
        break;
    }
}

void EditWindowController::pasteRecordsOfTableViewWithTag(LessonTableTag tag)
{
    switch (tag) {
    case KVR_UnitLessonTableViewTag:
        // Plain text goes into the rule in place of its selection.
        if (const auto text = m_units.unitsPasteboardForPaste())
            m_ruleView.insertPlainText(*text);
        break;
    case KVR_SectionLessonTableViewTag:
        m_sections.sectionsPasteboardForPaste();
        break;
    case KVR_RelatedWordsLessonTableViewTag:
        m_words.relatedWordsPasteboardForPaste();
        break;
    }
}

void EditWindowController::deleteRecordsOfTableViewWithTag(LessonTableTag tag)
{
    platform::ArrayController* list = nullptr;
    switch (tag) {
    case KVR_UnitLessonTableViewTag:
        list = &m_units;
        break;
    case KVR_SectionLessonTableViewTag:
        list = &m_sections;
        break;
    case KVR_RelatedWordsLessonTableViewTag:
        list = &m_words;
        break;
    }
    if (list)
        list->removeObjects(list->selectedObjects());
}

} // namespace lexotrace
