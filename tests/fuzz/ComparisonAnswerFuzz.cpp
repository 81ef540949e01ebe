// What the comparison script prints: any bytes taken as a finished run's standard output, read
// into the answer's string items and evaluated as the capture evaluates them. A pair handed over
// must have passed the gate.
#include "model/TypewardenDefaults.h"
#include "platform/defaults/UserDefaults.h"
#include "tests/fuzz/FuzzSupport.h"
#include "typewarden/capture/ComparisonScript.h"
#include "typewarden/capture/TextComparison.h"

#include <optional>

using typewarden::ComparisonScript;

namespace
{

struct Capture {
    platform::UserDefaults defaults{QStringLiteral("TypewardenFuzz")};
    QList<model::WordPair> handed;
    bool controlKey = false;
    bool spellPanel = false;
    typewarden::TextComparison comparison{
        defaults, [this](const model::WordPair& pair) { handed.append(pair); },
        typewarden::FlagAccess::of(controlKey), typewarden::FlagAccess::of(spellPanel)};

    Capture()
    {
        // Every correction that passes the gate is kept, without a confirmation.
        defaults.registerDefaults({{typewarden::defaults::AutoCheckRetention, true}});
    }
};

Capture& capture()
{
    static Capture made;
    return made;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::start();
    capture();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Capture& c = capture();
    c.comparison.setOldDocText(QStringLiteral("old"));
    c.comparison.setBeforeWord(QStringLiteral("recieve"));
    c.handed.clear();

    const std::optional<QStringList> answer = ComparisonScript::readAnswer(fuzz::bytes(data, size));
    if (!answer)
        return 0;
    const bool taken = c.comparison.evaluate(*answer);
    if (taken != (c.handed.size() == 1) || c.handed.size() > 1)
        fuzz::fail("evaluate's answer and the pairs handed over disagree");
    if (!answer->isEmpty() && !(answer->size() == 1 && answer->front().isEmpty()) &&
        c.comparison.oldDocText() != answer->front())
        fuzz::fail("the document text is not the answer's first item");
    if (taken) {
        const model::WordPair& pair = c.handed.front();
        const qsizetype typed = pair.mSpell.size();
        if (typed < 4 || qAbs(typed - pair.cSpell.size()) > 1 || pair.mSpell == pair.cSpell ||
            typed > typewarden::TextParsingHelperMethods::kLongestWord)
            fuzz::fail("a pair was handed over that the gate should have stopped",
                       pair.mSpell + u'/' + pair.cSpell);
    }
    return 0;
}
