// How the word score grows with the words' length: time per character should stay flat.
#include "typewarden/capture/StringScore.h"

#include <QElapsedTimer>

#include <cstdio>

int main()
{
    std::printf("%10s %12s %14s\n", "length", "ms", "ns per char");
    for (int length : {100, 1000, 10000, 100000}) {
        QString receiver;
        QString other;
        for (int i = 0; i < length; ++i) {
            receiver += QChar(u'a' + i % 26);
            other += QChar(i % 11 == 0 ? u' ' : QChar(u'a' + (i * 7) % 26));
        }
        const int rounds = 1000000 / length;
        QElapsedTimer timer;
        timer.start();
        double sink = 0;
        for (int round = 0; round < rounds; ++round)
            sink += typewarden::score::scoreAgainst(receiver, other, 0.5);
        const double ms = double(timer.nsecsElapsed()) / 1e6 / rounds;
        std::printf("%10d %12.3f %14.1f%s\n", length, ms, ms * 1e6 / length, sink < -1 ? "!" : "");
    }
}
