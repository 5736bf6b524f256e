#include "propgrid/GRegularExpression.h"
#include "propgrid/RXException.h"

#include <gtest/gtest.h>

#include <utility>

namespace
{

// How the in-place editor checks a value: the sentinels stand for ^ and $.
bool Valid(TGRegularExpression &re, const std::string &text)
{
    return re.Matches("\n" + text + "\r") > 0;
}

std::pair<int, int> FindAt(TGRegularExpression &re, const std::string &text, int start = 1)
{
    int length = -1;
    const int position = re.Find(text, start, length);
    return {position, length};
}

std::string CompileError(const std::string &expression)
{
    try {
        TGRegularExpression re(expression);
    } catch (const ERXException &e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(GRegularExpression, FindsTheShortestMatchAtTheFirstPosition)
{
    TGRegularExpression re("a*");
    EXPECT_EQ(FindAt(re, "aaa"), std::make_pair(1, 0));
    re.SetExpression("ab+");
    EXPECT_EQ(FindAt(re, "xabbb"), std::make_pair(2, 2));
    re.SetExpression("colou?r");
    EXPECT_EQ(FindAt(re, "my color"), std::make_pair(4, 5));
    EXPECT_EQ(FindAt(re, "colour"), std::make_pair(1, 6));
    re.SetExpression("a(b|cd)e");
    EXPECT_EQ(FindAt(re, "xxacde"), std::make_pair(3, 4));
    EXPECT_EQ(FindAt(re, "abe abe", 2), std::make_pair(5, 3));
    re.SetExpression("x|yz|w");
    EXPECT_EQ(FindAt(re, "..yz"), std::make_pair(3, 2));
    EXPECT_EQ(FindAt(re, "..w"), std::make_pair(3, 1));
    // A match may run to the very end of the text.
    re.SetExpression("b.*");
    EXPECT_EQ(FindAt(re, "abcd"), std::make_pair(2, 1));
    re.SetExpression("bcd");
    EXPECT_EQ(FindAt(re, "abcd"), std::make_pair(2, 3));
}

TEST(GRegularExpression, FindsNothingInEmptyTextsOrPastTheEnd)
{
    TGRegularExpression re("a*");
    EXPECT_EQ(FindAt(re, ""), std::make_pair(0, 0));
    EXPECT_EQ(FindAt(re, "ab", 3), std::make_pair(0, 0));
    TGRegularExpression empty;
    EXPECT_EQ(empty.Matches("abc"), 0);
    EXPECT_TRUE(empty.States().empty());
}

TEST(GRegularExpression, AnchorsPinTheMatchThroughTheSentinels)
{
    TGRegularExpression re("^[0-9]+$");
    EXPECT_TRUE(Valid(re, "12"));
    EXPECT_FALSE(Valid(re, "1a"));
    EXPECT_FALSE(Valid(re, ""));
    re.SetExpression("[0-9]");
    EXPECT_TRUE(Valid(re, "ab1"));
    EXPECT_EQ(re.Matches("ab1"), 3);
    re.SetExpression("^.bc(d|e)");
    EXPECT_TRUE(Valid(re, "abce"));
    EXPECT_TRUE(Valid(re, "zbcdzz"));
    EXPECT_FALSE(Valid(re, "xabcd"));
    re.SetExpression("^[0-9 ]?[0-9]/[0-9][0-9]/[0-9][0-9][0-9][0-9]$");
    EXPECT_TRUE(Valid(re, "12/05/2024"));
    EXPECT_TRUE(Valid(re, "2/05/2024"));
    EXPECT_FALSE(Valid(re, "12/05/20245"));
    // An escaped anchor is the literal character.
    re.SetExpression("\\^\\$[\\^]");
    EXPECT_EQ(re.Matches("a^$^"), 2);
    EXPECT_EQ(re.Matches("\n\r^"), 0);
}

TEST(GRegularExpression, ClassesCoverRangesEitherWayAndEscapedMetas)
{
    TGRegularExpression forward("[a-z]");
    TGRegularExpression backward("[z-a]");
    ASSERT_EQ(forward.States().size(), backward.States().size());
    EXPECT_EQ(forward.States()[forward.StartState()].Set,
              backward.States()[backward.StartState()].Set);
    EXPECT_EQ(backward.Matches("1m"), 2);
    EXPECT_EQ(backward.Matches("AZ"), 0);

    TGRegularExpression metas("[\\-\\]]");
    EXPECT_EQ(metas.Matches("ab-"), 3);
    EXPECT_EQ(metas.Matches("a]"), 2);
    EXPECT_EQ(metas.Matches("a\\"), 0);
    TGRegularExpression negated("^[^0-9.]+$");
    EXPECT_TRUE(Valid(negated, "abc"));
    EXPECT_FALSE(Valid(negated, "ab.c"));
    EXPECT_FALSE(Valid(negated, "a1"));
}

TEST(GRegularExpression, CaseInsensitiveLiteralsAndClasses)
{
    TGRegularExpression re("^[a-c]x$");
    EXPECT_FALSE(Valid(re, "BX"));
    re.SetCaseSensitive(false);
    EXPECT_TRUE(Valid(re, "BX"));
    EXPECT_TRUE(Valid(re, "bx"));
    EXPECT_FALSE(Valid(re, "dx"));
    re.SetExpression("^[^q]$");
    EXPECT_FALSE(Valid(re, "Q"));
    EXPECT_TRUE(Valid(re, "r"));
    re.SetExpression("q[^a]");
    EXPECT_EQ(re.Matches("xxQB"), 3);
    EXPECT_EQ(re.Matches("xxQA"), 0);
}

TEST(GRegularExpression, ReportsEverySyntaxError)
{
    const std::string end = "Unexpected end of regular expression";
    const std::string meta = "Unexpected meta character found";
    EXPECT_EQ(CompileError("a|"), end);
    EXPECT_EQ(CompileError("("), end);
    EXPECT_EQ(CompileError("["), end);
    EXPECT_EQ(CompileError("[a-"), end);
    EXPECT_EQ(CompileError("ab\\"), end);
    EXPECT_EQ(CompileError("()"), meta);
    EXPECT_EQ(CompileError("*a"), meta);
    EXPECT_EQ(CompileError("[]"), meta);
    EXPECT_EQ(CompileError("[-a]"), meta);
    EXPECT_EQ(CompileError("[a-]"), meta);
    EXPECT_EQ(CompileError("(ab"), "Missing Close Parentheses");
    EXPECT_EQ(CompileError("[ab"), "Missing Close Bracket");
    // A stray ")" or a second star ends the expression without error.
    EXPECT_EQ(CompileError("a)b"), "no error");
    EXPECT_EQ(CompileError("a**b"), "no error");
    TGRegularExpression cut("a)b");
    EXPECT_EQ(cut.Matches("xa"), 2);
}

TEST(GRegularExpression, DeepNestingIsAnErrorNotACrash)
{
    EXPECT_EQ(CompileError(std::string(200000, '(')), "Regular expression nested too deeply");
    EXPECT_EQ(CompileError(std::string(200000, '(') + "a" + std::string(200000, ')')),
              "Regular expression nested too deeply");
    // Nesting far beyond anything written by hand still compiles.
    TGRegularExpression nested(std::string(500, '(') + "ab" + std::string(500, ')') + "+");
    EXPECT_EQ(nested.Matches("xabab"), 2);
}

TEST(GRegularExpression, AFailedCompileKeepsTheTextAndRaisesAgainOnSearch)
{
    TGRegularExpression re("a");
    EXPECT_THROW(re.SetExpression("(a"), ERXException);
    EXPECT_EQ(re.Expression(), "(a");
    EXPECT_TRUE(re.States().empty());
    int length = 0;
    EXPECT_THROW(re.FindFirst("a", length), ERXException);
    re.SetExpression("b");
    EXPECT_EQ(re.Matches("ab"), 2);
}

TEST(GRegularExpression, LoopsThatConsumeNothingEnd)
{
    TGRegularExpression re("(a*)*b");
    EXPECT_EQ(re.Matches("aaac"), 0);
    EXPECT_EQ(FindAt(re, "aab"), std::make_pair(1, 3));
    re.SetExpression("(a?)+c");
    EXPECT_EQ(re.Matches("aaa"), 0);
}

TEST(GRegularExpression, OptimizeLeavesNoLinkToAJump)
{
    TGRegularExpression re("(ab|c)*d?e+[xy].");
    const TRegExStates &states = re.States();
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states.back().Kind, rskFinal);
    for (const TRegExState &state : states) {
        for (int next : {state.Next1, state.Next2}) {
            if (next == -1)
                continue;
            ASSERT_LT(next, int(states.size()));
            EXPECT_NE(states[next].Kind, rskInert);
        }
    }
    EXPECT_EQ(re.Matches("..cabde y!"), 0);
    EXPECT_EQ(re.Matches("..cabdeey!"), 3);
}

TEST(GRegularExpression, AssignCopiesTheCompiledExpression)
{
    TGRegularExpression source("^[a-z]+$");
    source.SetCaseSensitive(false);
    TGRegularExpression copy("x");
    copy.Assign(source);
    EXPECT_EQ(copy.Expression(), "^[a-z]+$");
    EXPECT_FALSE(copy.CaseSensitive());
    EXPECT_EQ(copy.StartState(), source.StartState());
    EXPECT_TRUE(Valid(copy, "ABC"));
    EXPECT_FALSE(Valid(copy, "AB1"));
}
