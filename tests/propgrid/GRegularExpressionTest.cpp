#include "propgrid/GRegularExpression.h"
#include "propgrid/RXException.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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

// The text of a row with its control characters visible.
std::string Printable(const std::string &text)
{
    std::string out;
    for (char c : text)
        out += c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
    return out;
}

// A row of the matching tables: an expression, whether it heeds case, a
// text and what it gives: "valid" or "invalid" for a value checked as the
// in-place editor checks it, else where Matches finds the first match
// ("at 3") or "none".
struct TMatchRow {
    std::string expression;
    std::string text;
    std::string outcome;
    bool caseSensitive = true;
};

std::string Outcome(TGRegularExpression &re, const TMatchRow &row)
{
    if (row.outcome == "valid" || row.outcome == "invalid")
        return Valid(re, row.text) ? "valid" : "invalid";
    const int at = re.Matches(row.text);
    return at > 0 ? "at " + std::to_string(at) : "none";
}

// Runs the rows on one expression object; each row changes only what
// differs from the row before, so a row may test a change of case alone.
void RunRows(TGRegularExpression &re, const std::vector<TMatchRow> &rows)
{
    for (const TMatchRow &row : rows) {
        SCOPED_TRACE("\"" + row.expression + "\" on \"" + Printable(row.text) + "\"" +
                     (row.caseSensitive ? "" : " ignoring case"));
        if (re.Expression() != row.expression)
            re.SetExpression(row.expression);
        if (re.CaseSensitive() != row.caseSensitive)
            re.SetCaseSensitive(row.caseSensitive);
        EXPECT_EQ(Outcome(re, row), row.outcome);
    }
}

} // namespace

TEST(GRegularExpression, FindsTheShortestMatchAtTheFirstPosition)
{
    struct Row {
        std::string expression, text;
        int start, position, length;
    };
    const Row rows[] = {
        {"a*", "aaa", 1, 1, 0},
        {"ab+", "xabbb", 1, 2, 2},
        {"colou?r", "my color", 1, 4, 5},
        {"colou?r", "colour", 1, 1, 6},
        {"a(b|cd)e", "xxacde", 1, 3, 4},
        {"a(b|cd)e", "abe abe", 2, 5, 3},
        {"x|yz|w", "..yz", 1, 3, 2},
        {"x|yz|w", "..w", 1, 3, 1},
        // A match may run to the very end of the text.
        {"b.*", "abcd", 1, 2, 1},
        {"bcd", "abcd", 1, 2, 3},
    };
    TGRegularExpression re;
    for (const Row &row : rows) {
        SCOPED_TRACE("\"" + row.expression + "\" in \"" + row.text + "\" from " +
                     std::to_string(row.start));
        if (re.Expression() != row.expression)
            re.SetExpression(row.expression);
        EXPECT_EQ(FindAt(re, row.text, row.start), std::make_pair(row.position, row.length));
    }
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
    const std::string date = "^[0-9 ]?[0-9]/[0-9][0-9]/[0-9][0-9][0-9][0-9]$";
    TGRegularExpression re;
    RunRows(re, {
                    {"^[0-9]+$", "12", "valid"},
                    {"^[0-9]+$", "1a", "invalid"},
                    {"^[0-9]+$", "", "invalid"},
                    {"[0-9]", "ab1", "valid"},
                    {"[0-9]", "ab1", "at 3"},
                    {"^.bc(d|e)", "abce", "valid"},
                    {"^.bc(d|e)", "zbcdzz", "valid"},
                    {"^.bc(d|e)", "xabcd", "invalid"},
                    {date, "12/05/2024", "valid"},
                    {date, "2/05/2024", "valid"},
                    {date, "12/05/20245", "invalid"},
                    // An escaped anchor is the literal character.
                    {"\\^\\$[\\^]", "a^$^", "at 2"},
                    {"\\^\\$[\\^]", "\n\r^", "none"},
                });
}

TEST(GRegularExpression, ClassesCoverRangesEitherWayAndEscapedMetas)
{
    TGRegularExpression forward("[a-z]");
    TGRegularExpression backward("[z-a]");
    ASSERT_EQ(forward.States().size(), backward.States().size());
    EXPECT_EQ(forward.States()[forward.StartState()].Set,
              backward.States()[backward.StartState()].Set);
    RunRows(backward, {
                          {"[z-a]", "1m", "at 2"},
                          {"[z-a]", "AZ", "none"},
                      });

    TGRegularExpression re;
    RunRows(re, {
                    {"[\\-\\]]", "ab-", "at 3"},
                    {"[\\-\\]]", "a]", "at 2"},
                    {"[\\-\\]]", "a\\", "none"},
                    {"^[^0-9.]+$", "abc", "valid"},
                    {"^[^0-9.]+$", "ab.c", "invalid"},
                    {"^[^0-9.]+$", "a1", "invalid"},
                });
}

TEST(GRegularExpression, CaseInsensitiveLiteralsAndClasses)
{
    TGRegularExpression re;
    RunRows(re, {
                    {"^[a-c]x$", "BX", "invalid"},
                    // The rows from here on ignore case.
                    {"^[a-c]x$", "BX", "valid", false},
                    {"^[a-c]x$", "bx", "valid", false},
                    {"^[a-c]x$", "dx", "invalid", false},
                    {"^[^q]$", "Q", "invalid", false},
                    {"^[^q]$", "r", "valid", false},
                    {"q[^a]", "xxQB", "at 3", false},
                    {"q[^a]", "xxQA", "none", false},
                });
}

TEST(GRegularExpression, ReportsEverySyntaxError)
{
    const std::string end = "Unexpected end of regular expression";
    const std::string meta = "Unexpected meta character found";
    const std::pair<std::string, std::string> rows[] = {
        {"a|", end},
        {"(", end},
        {"[", end},
        {"[a-", end},
        {"ab\\", end},
        {"()", meta},
        {"*a", meta},
        {"[]", meta},
        {"[-a]", meta},
        {"[a-]", meta},
        {"(ab", "Missing Close Parentheses"},
        {"[ab", "Missing Close Bracket"},
        // A stray ")" or a second star ends the expression without error.
        {"a)b", "no error"},
        {"a**b", "no error"},
    };
    for (const auto &[expression, error] : rows) {
        SCOPED_TRACE("\"" + expression + "\"");
        EXPECT_EQ(CompileError(expression), error);
    }
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
