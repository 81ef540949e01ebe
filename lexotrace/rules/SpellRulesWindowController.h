#pragma once

#include "lexotrace/xml/XmlExchange.h"
#include "platform/ui/WindowController.h"

#include <memory>

class QComboBox;

namespace platform
{
class AlertPresenter;
class FilePanels;
class ManagedObject;
class NotificationCenter;
class UserDefaults;
} // namespace platform

namespace lexotrace
{

class RulesArrayController;
class SpellRuleCoreDataAppDelegate;
class SpellRulesTableView;
class SpellRulesWindowDelegate;

// What the rules window works with, lent by the application for the window's life.
struct RulesWindowServices {
    platform::UserDefaults& defaults;
    platform::AlertPresenter& alerts;
    platform::FilePanels& panels;
    platform::NotificationCenter& notifications;
    // The rules store manager; without it the window stays empty.
    SpellRuleCoreDataAppDelegate* rules = nullptr;
};

// The rules window: the numbered rules in a table, the pop-up of the lessons a rule names, the
// commands that edit, copy and print them, and the rules' export and import.
class SpellRulesWindowController : public platform::WindowController
{
    Q_OBJECT
public:
    static inline const QString kBookmarkKey = QStringLiteral("bookmarkForRules");
    // The pop-up's item before any rule is chosen, and for a rule that names no lesson.
    static inline const QString kEmptyItem = QStringLiteral("Empty");

    explicit SpellRulesWindowController(RulesWindowServices services);
    ~SpellRulesWindowController() override;

    // Once the window has its menus: the Edit menu.
    void wake();
    QList<QAction*> fileMenuActions() const override;

    // The lessons named by the rule with that code, as the pop-up shows them ("2-14"); the pop-up
    // then lists them. No rule of that code: nothing, and the pop-up keeps its items.
    QStringList getReferencesFromRowIndex(const QString& ruleCode);
    // Reference entries ("2-U14", "U15") as "level-unit" items, in the same order; a short entry
    // takes the level of the entry before it, and has none when no entry before it had one.
    static QStringList parseAndOrderCodeArray(const QStringList& entries);
    // The items of the rule's own references.
    static QStringList lessonReferences(const platform::ManagedObject& rule);
    void selectFirstItemOfLessonDropDownMenu();
    // Puts the selected rules on the clipboard, one line each; answers the text.
    QString deriveRulesCopyContent();

    void exportXML();
    bool createExportBookmarkForURL(const QString& path);
    // Asks first; then reads the remembered file in place of the rules, and saves them.
    void importXML();
    // Reads the remembered file now. A file that yields no rules leaves the rules as they were
    // and is reported.
    void retrieveBookmarkAndWriteLessonData();
    // A file dropped on the window: asks, then reads that file as an import.
    void importDroppedFile(const QString& path);

    // The window's parts; null when there is no rules store.
    SpellRulesWindowDelegate* spellRulesWindowDelegate() const { return m_delegate.get(); }
    RulesArrayController* rulesArrayController() const { return m_rules.get(); }
    SpellRulesTableView* spellRulesTableView() const { return m_table; }
    QComboBox* popUpButton() const { return m_popUp; }

signals:
    // The lessons window should be shown (and made if need be).
    void lessonsWindowRequested();

private:
    void buildContent();
    void updateValidatedControls();
    void windowShouldClose() override;
    void windowDidChangeKey(bool key) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void importRulesFrom(const QString& path);
    void showReferences(const QStringList& items);
    void printDocument();

    RulesWindowServices m_services;
    XmlExchange m_exchange;
    std::unique_ptr<RulesArrayController> m_rules;
    std::unique_ptr<SpellRulesWindowDelegate> m_delegate;
    SpellRulesTableView* m_table = nullptr; // the widgets are owned by the window
    QComboBox* m_popUp = nullptr;
    QList<std::function<void()>> m_validators; // each enables one control or command
    QList<QAction*> m_fileActions;
    bool m_woken = false;
};

} // namespace lexotrace
