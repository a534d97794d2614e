// The preview's paging, page choice and zoom without a window.
#include "report/ui/preview/PreviewState.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct RangeRow
{
    const char *name;
    int pages, start, end;
    int first, last;
};

class PreviewStateRange : public testing::TestWithParam<RangeRow>
{
};

TEST_P(PreviewStateRange, ClampsTheRangeToThePagesAndStartsOnItsFirstPage)
{
    const RangeRow &row = GetParam();
    PreviewState state;
    state.setPages(row.pages, row.start, row.end);
    EXPECT_EQ(state.firstPage(), row.first);
    EXPECT_EQ(state.lastPage(), row.last);
    EXPECT_EQ(state.currentPage(), row.first);
}

INSTANTIATE_TEST_SUITE_P(Ranges, PreviewStateRange,
                         testing::Values(RangeRow{"Defaults", 5, 1, 9999, 1, 5}, RangeRow{"Inside", 10, 3, 6, 3, 6},
                                         RangeRow{"StartBeyondThePages", 4, 7, 9999, 4, 4},
                                         RangeRow{"StartBelowOne", 4, 0, 2, 1, 2},
                                         RangeRow{"EndBeforeStart", 6, 4, 2, 4, 4},
                                         RangeRow{"NoPages", 0, 1, 9999, 0, 0}),
                         TestSupport::rowName);

TEST(PreviewState, PagingMovesWithinTheRangeAndOffersOnlyPossibleMoves)
{
    PreviewState state;
    state.setPages(8, 2, 5);
    EXPECT_FALSE(state.canGoFirst());
    EXPECT_FALSE(state.canGoPrevious());
    EXPECT_TRUE(state.canGoNext());
    EXPECT_TRUE(state.canGoLast());
    state.goNext();
    EXPECT_EQ(state.currentPage(), 3);
    state.goLast();
    EXPECT_EQ(state.currentPage(), 5);
    EXPECT_FALSE(state.canGoNext());
    EXPECT_FALSE(state.canGoLast());
    state.goNext(); // not possible: stays
    EXPECT_EQ(state.currentPage(), 5);
    state.goPrevious();
    EXPECT_EQ(state.currentPage(), 4);
    state.goFirst();
    EXPECT_EQ(state.currentPage(), 2);

    // A page before the range (shown by number): the next move enters it.
    state.showPage(1);
    EXPECT_EQ(state.currentPage(), 1);
    EXPECT_FALSE(state.canGoPrevious());
    state.goNext();
    EXPECT_EQ(state.currentPage(), 2);
}

struct AnswerRow
{
    const char *name;
    QString answer;
    int page;
};

class PreviewStateAnswer : public testing::TestWithParam<AnswerRow>
{
};

TEST_P(PreviewStateAnswer, APageNumberIsClampedToThePagesAndANonNumberKeepsTheProposal)
{
    PreviewState state;
    state.setPages(5, 2, 9999);
    EXPECT_EQ(state.pageProposal(), u"2"_s);
    EXPECT_EQ(state.pageOfAnswer(GetParam().answer), GetParam().page);
}

INSTANTIATE_TEST_SUITE_P(Answers, PreviewStateAnswer,
                         testing::Values(AnswerRow{"BeyondTheLast", u"99"_s, 5}, AnswerRow{"Zero", u"0"_s, 1},
                                         AnswerRow{"Negative", u"-3"_s, 1}, AnswerRow{"Inside", u" 4 "_s, 4},
                                         AnswerRow{"BeforeTheRange", u"1"_s, 1}, AnswerRow{"Text", u"pět"_s, 2},
                                         AnswerRow{"Empty", u""_s, 2}, AnswerRow{"Decimal", u"3,5"_s, 2}),
                         TestSupport::rowName);

TEST(PreviewState, ZoomTakesOnlyTheListedValuesAndScalesThePaper)
{
    PreviewState state;
    EXPECT_EQ(state.zoom(), 100);
    EXPECT_EQ(state.paperSize(826, 1169), QSize(826, 1169)); // one unit one pixel
    EXPECT_TRUE(state.setZoom(32));
    EXPECT_EQ(state.paperSize(826, 1169), QSize(264, 374));
    EXPECT_FALSE(state.setZoom(33));
    EXPECT_EQ(state.zoom(), 32);
    EXPECT_TRUE(state.setZoom(300));
    EXPECT_EQ(state.paperSize(826, 1169), QSize(2478, 3507));
}

} // namespace
