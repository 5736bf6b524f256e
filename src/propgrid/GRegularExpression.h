#pragma once

#include "propgrid/QQueue.h"

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

// Kinds of automaton states.
enum TRegExStateKind : std::uint8_t {
    rskBranch = 0, // no input consumed; to Next1 and, when set, Next2
    rskAny = 1,    // any character
    rskChar = 2,   // the state's character
    rskSet = 3,    // a character in the set
    rskNotSet = 4, // a character not in the set
    rskFinal = 5,  // a match ends here
    rskInert = 6,  // a plain jump that every link already bypasses
};

struct TRegExState {
    int Next1 = -1;
    int Next2 = -1;
    std::bitset<256> Set;
    std::uint8_t Kind = rskBranch;
    std::uint8_t Char = 0;
};

using TRegExStates = std::vector<TRegExState>;

// A small regular-expression engine for validating typed values. The
// expression compiles into a nondeterministic automaton; a text is matched by
// walking the automaton breadth-first, which finds the shortest match at a
// position. "^" and "$" stand for a line feed and a carriage return, so a
// caller that wraps its text in those two characters anchors the expression
// at the text's start and end.
class TGRegularExpression
{
public:
    explicit TGRegularExpression(const std::string &expression = std::string());
    virtual ~TGRegularExpression();
    TGRegularExpression(const TGRegularExpression &) = delete;
    TGRegularExpression &operator=(const TGRegularExpression &) = delete;

    // Shortest match beginning at the 1-based position start.
    virtual bool MatchAt(const std::string &text, int start, int &length);
    virtual void Optimize();
    virtual void Compile();
    virtual int FindFirst(const std::string &text, int &length);
    // First 1-based position at or after start where a match begins; 0 if none.
    virtual int Find(const std::string &text, int start, int &length);
    int Matches(const std::string &text);
    void Assign(const TGRegularExpression &source);

    const std::string &Expression() const { return expression_; }
    void SetExpression(const std::string &value);
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool value);

    const TRegExStates &States() const { return states_; }
    int StartState() const { return startState_; }

private:
    int AddState(std::uint8_t kind, std::uint8_t ch, const std::bitset<256> &set, int next1,
                 int next2, bool link);
    bool AtEnd() const { return parsePos_ > int(working_.size()); }
    unsigned char Current() const { return AtEnd() ? 0 : working_[parsePos_ - 1]; }
    // Without case sensitivity, ASCII letters compare in upper case.
    unsigned char Cased(unsigned char ch) const
    {
        return caseSensitive_ || ch < 'a' || ch > 'z' ? ch : ch - ('a' - 'A');
    }
    int ParseExpression();
    int ParseTerm();
    int ParseFactor();
    int ParseAtom();
    int ParseLiteral();
    void ParseClassItems(std::bitset<256> &set);
    unsigned char ParseClassChar();
    unsigned NextGeneration()
    {
        if (++generation_ == 0)
            RestartGenerations();
        return generation_;
    }
    void RestartGenerations();
    void FindFirstChars();

    TRegExStates states_;
    std::string expression_;
    int parsePos_ = 1;
    int groupDepth_ = 0; // groups open at the parse position
    bool caseSensitive_ = true;
    int startState_ = 0;

    std::string working_;           // the expression with anchors rewritten, while compiling
    TQQueue queue_;                 // reused by every match
    std::vector<unsigned> visited_; // generation in which each state was last examined
    unsigned generation_ = 0;

    // What a match can begin with, so that Find skips hopeless positions.
    bool firstCharsKnown_ = false;
    bool matchesEmpty_ = false;
    std::bitset<256> firstChars_;
};
