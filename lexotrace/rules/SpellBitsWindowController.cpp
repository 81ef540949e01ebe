#include "lexotrace/rules/SpellBitsWindowController.h"

#include "lexotrace/rules/BitsRelatedWordsArrayController.h"
#include "lexotrace/rules/SpellBitsTableView.h"
#include "lexotrace/store/LessonCoreDataAppDelegate.h"
#include "lexotrace/store/LocalNotifications.h"
#include "model/OrthovaModel.h"
#include "platform/ArrayControllerModel.h"
#include "platform/NotificationCenter.h"
#include "platform/Pasteboard.h"
#include "platform/ui/TableColumns.h"
#include "platform/ui/TableSelection.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMainWindow>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

Q_LOGGING_CATEGORY(lcBits, "lexotrace.rules.bits")

namespace lexotrace
{

namespace
{

namespace key = model::key;

const QString kLevelNumberPath = QStringLiteral("section.unit.level.levelNumber");
const QString kUnitNumberPath = QStringLiteral("section.unit.unitNumber");
const QString kGap = QStringLiteral("  ");

// The integer value of a stored number; text that is not one (or no value) counts as 0.
long long integerValue(const QVariant& number)
{
    return number.toString().trimmed().toLongLong();
}

QList<platform::ArrayControllerModel::Column> bitColumns()
{
    QList<platform::ArrayControllerModel::Column> columns;
    for (int slot = 1; slot <= model::kWordSlots; ++slot) {
        columns.append({key::word(slot), QObject::tr("Word %1").arg(slot)});
        columns.append({key::bit(slot), QObject::tr("Bit %1").arg(slot)});
    }
    return columns;
}

} // namespace

SpellBitsWindowController::SpellBitsWindowController(platform::NotificationCenter& notifications,
                                                     LessonCoreDataAppDelegate* lessons)
    : WindowController(QStringLiteral("SpellBitsController"), tr("Word Bits Dictionary")),
      m_notifications(&notifications)
{
    platform::ObjectContext* context = lessons ? lessons->lessonsDBase() : nullptr;
    qCInfo(lcBits) << "word bits window loaded" << (context ? "with" : "without") << "lessons";
    if (context)
        buildContent(context);
}

SpellBitsWindowController::~SpellBitsWindowController()
{
    // The views refer to the list: they go first.
    delete window()->takeCentralWidget();
}

QList<platform::SortDescriptor> SpellBitsWindowController::bitWordsSortDescriptor()
{
    return {{key::word(1), true, platform::Comparison::CaseInsensitive}};
}

void SpellBitsWindowController::buildContent(platform::ObjectContext* lessons)
{
    m_words = std::make_unique<BitsRelatedWordsArrayController>(lessons);
    m_words->setSortDescriptors(bitWordsSortDescriptor());

    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    auto* top = new QHBoxLayout;
    m_lookUp = new QLineEdit(content);
    m_lookUp->setAccessibleName(tr("Look up a word"));
    m_lookUp->setPlaceholderText(tr("Look up a word"));
    m_lookUp->setClearButtonEnabled(true);
    top->addWidget(new QLabel(tr("Word"), content));
    top->addWidget(m_lookUp, 1);
    top->addStretch(1);
    m_openLesson = new QPushButton(tr("Open Lesson"), content);
    m_openLesson->setAccessibleName(tr("Open Lesson"));
    top->addWidget(m_openLesson);
    layout->addLayout(top);

    m_table = new SpellBitsTableView(*this, content);
    m_table->setModel(new platform::ArrayControllerModel(m_words.get(), bitColumns(), m_table));
    for (int column = 0; column < 2 * model::kWordSlots; ++column)
        platform::setColumnWidthFittingTitle(*m_table->horizontalHeader(), column,
                                             column % 2 == 0 ? 130 : 60);
    platform::bindTableSelection(m_table, m_words.get());
    layout->addWidget(m_table, 1);
    window()->setCentralWidget(content);
    window()->resize(960, 600);

    connect(m_lookUp, &QLineEdit::textChanged, this, &SpellBitsWindowController::lookUpWord);
    // From the word found, Return in the table (after Control alone) opens its lesson.
    connect(m_lookUp, &QLineEdit::returnPressed, m_table, [this] { m_table->setFocus(); });
    connect(m_openLesson, &QPushButton::clicked, this,
            &SpellBitsWindowController::showLessonForSelectedRow);
    connect(m_table, &QAbstractItemView::clicked, this,
            &SpellBitsWindowController::postLessonSelectionWithControlKey);
    connect(m_table, &QAbstractItemView::activated, this,
            &SpellBitsWindowController::postLessonSelectionWithControlKey);
    auto enableOpen = [this] {
        m_openLesson->setEnabled(m_words->lastSelectedObject() != nullptr);
    };
    connect(m_words.get(), &platform::ArrayController::selectionChanged, m_openLesson, enableOpen);
    enableOpen();
    // The list follows the lessons while the window is shown.
    m_words->setFollowsContext(false);
}

bool SpellBitsWindowController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window() && m_words &&
        (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        m_words->setFollowsContext(event->type() == QEvent::Show);
    return platform::WindowController::eventFilter(watched, event);
}

void SpellBitsWindowController::showWindow()
{
    if (m_words && !m_editMenu)
        buildEditMenu();
    WindowController::showWindow();
}

void SpellBitsWindowController::buildEditMenu()
{
    m_editMenu = addMenuBeforeWindowMenu(tr("&Edit"));
    QAction* copy = m_editMenu->addAction(tr("Copy"), this, [this] {
        // The look-up field copies its own text; everywhere else the rows are copied.
        if (m_lookUp->hasFocus() && m_lookUp->hasSelectedText())
            m_lookUp->copy();
        else
            deriveBitCopyContent();
    });
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WindowShortcut);
}

QString SpellBitsWindowController::bitCopyText() const
{
    QString text;
    text.reserve(50);
    if (!m_words)
        return text;
    for (const platform::ManagedObject* row : m_words->selectedObjects()) {
        for (int slot = 1; slot <= model::kWordSlots; ++slot) {
            // An empty word is still a word; only an absent one is skipped.
            const QVariant word = row->value(key::word(slot));
            if (!word.isValid())
                continue;
            const QVariant bit = row->value(key::bit(slot));
            text += word.toString() + kGap +
                    (bit.isValid() ? bit.toString() : QStringLiteral("(null)")) + kGap;
        }
        text += u'\n';
    }
    return text;
}

void SpellBitsWindowController::deriveBitCopyContent()
{
    auto data = std::make_unique<QMimeData>();
    platform::pasteboard::setSingleString(*data, bitCopyText());
    QGuiApplication::clipboard()->setMimeData(data.release()); // the clipboard owns it
}

bool SpellBitsWindowController::lookUpWord(const QString& text)
{
    if (!m_words)
        return false;
    const qsizetype at = m_words->indexOfWordBeginningWith(text);
    if (at == platform::ArrayController::NotFound)
        return false;
    m_words->setSelectionIndex(at);
    m_table->scrollTo(m_table->model()->index(int(at), 0), QAbstractItemView::PositionAtTop);
    return true;
}

void SpellBitsWindowController::postLessonSelection()
{
    m_postPending = false;
    const platform::ManagedObject* row = m_words ? m_words->lastSelectedObject() : nullptr;
    if (row && m_notifications) {
        const QString levelIndex =
            QString::number(integerValue(row->valueForKeyPath(kLevelNumberPath)) - 1);
        const QString unitIndex =
            QString::number(integerValue(row->valueForKeyPath(kUnitNumberPath)) - 1);
        QVariantMap userInfo{{QStringLiteral("LevelIndex"), levelIndex},
                             {QStringLiteral("UnitIndex"), unitIndex}};
        const QVariant word = row->value(key::word(1));
        if (word.isValid())
            userInfo.insert(key::cSpell, word.toString());
        qCInfo(lcBits).noquote() << "cSpell:" << word.toString();
        qCInfo(lcBits).noquote() << "levelIndex:" << levelIndex;
        m_notifications->post(notification::PopUpLessonIndex, this, userInfo);
    }
    if (m_table) {
        m_table->setControlKey(false);
        m_table->setAllowsMultipleSelection(true);
    }
}

void SpellBitsWindowController::postLessonSelectionWithControlKey()
{
    if (m_table && m_table->controlKey())
        schedulePostLessonSelection();
}

void SpellBitsWindowController::showLessonForSelectedRow()
{
    emit lessonsWindowRequested();
    schedulePostLessonSelection();
}

void SpellBitsWindowController::schedulePostLessonSelection()
{
    // A click and the activation of the same double click ask once.
    if (m_postPending)
        return;
    m_postPending = true;
    QTimer::singleShot(0, this, &SpellBitsWindowController::postLessonSelection);
}

} // namespace lexotrace
