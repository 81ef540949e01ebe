#pragma once

#include "lexotrace/lessons/LessonsTableView.h"

#include <QObject>

namespace lexotrace
{

class GeneralRuleTextView;
class RelatedWordsArrayController;
class SectionsArrayController;
class UnitsArrayController;

// The lessons window's Cut, Copy, Paste and Delete, sent to the list a table's tag names. The
// unit commands come from the rule text view; the Control-key flags decide whether a copy takes
// whole units or sections, or only their text.
class EditWindowController : public QObject
{
    Q_OBJECT
public:
    EditWindowController(UnitsArrayController& units, SectionsArrayController& sections,
                         RelatedWordsArrayController& words, GeneralRuleTextView& ruleView,
                         LessonsTableView& sectionsTable, QObject* parent = nullptr);

    void copyRecordsOfTableViewWithTag(LessonTableTag tag);
    void cutRecordsOfTableViewWithTag(LessonTableTag tag);
    void pasteRecordsOfTableViewWithTag(LessonTableTag tag);
    // Deletes the selected objects of the tagged list; the others keep their numbers.
    void deleteRecordsOfTableViewWithTag(LessonTableTag tag);

private:
    QString selectedRuleText() const;

    UnitsArrayController& m_units;
    SectionsArrayController& m_sections;
    RelatedWordsArrayController& m_words;
    GeneralRuleTextView& m_ruleView;
    LessonsTableView& m_sectionsTable;
};

} // namespace lexotrace
