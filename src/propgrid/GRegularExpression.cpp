#include "propgrid/GRegularExpression.h"

#include "propgrid/RXException.h"

#include <algorithm>
#include <cstring>

namespace
{

const char *const MissingCloseParentheses = "Missing Close Parentheses";
const char *const MissingCloseBracket = "Missing Close Bracket";
const char *const UnexpectedEnd = "Unexpected end of regular expression";
const char *const UnexpectedMeta = "Unexpected meta character found";
const char *const NestedTooDeeply = "Regular expression nested too deeply";
// Groups nest through the recursive parser; far deeper than any expression a
// person writes, far shallower than what would exhaust the stack.
constexpr int MaxGroupDepth = 1000;

// Queue entries are state numbers; the scan marker separates the states of
// one input position from those of the next.
constexpr std::intptr_t ScanMarker = -2;

void *Entry(std::intptr_t number)
{
    return reinterpret_cast<void *>(number);
}

std::intptr_t Number(void *entry)
{
    return reinterpret_cast<std::intptr_t>(entry);
}

bool IsMeta(unsigned char ch)
{
    return ch != 0 && std::strchr("$()*+-.?[]^|", ch) != nullptr;
}

// "^" becomes a line feed and "$" a carriage return, except right after an
// unescaped "[" where "^" negates the class. Escaped "^" and "$" stay the
// literal characters.
std::string RewriteAnchors(const std::string &expression)
{
    std::string working;
    working.reserve(expression.size());
    bool afterOpenBracket = false;
    for (std::size_t i = 0; i < expression.size(); ++i) {
        const char ch = expression[i];
        if (ch == '\\' && i + 1 < expression.size()) {
            working += ch;
            working += expression[++i];
        } else if (ch == '^') {
            working += afterOpenBracket ? '^' : '\n';
        } else if (ch == '$') {
            working += '\r';
        } else {
            working += ch;
        }
        afterOpenBracket = ch == '[';
    }
    return working;
}

} // namespace

TGRegularExpression::TGRegularExpression(const std::string &expression)
{
    caseSensitive_ = true;
    SetExpression(expression);
}

TGRegularExpression::~TGRegularExpression() = default;

void TGRegularExpression::SetExpression(const std::string &value)
{
    if (value == expression_)
        return;
    expression_ = value;
    Compile();
}

void TGRegularExpression::SetCaseSensitive(bool value)
{
    if (value == caseSensitive_)
        return;
    caseSensitive_ = value;
    Compile();
}

void TGRegularExpression::Assign(const TGRegularExpression &source)
{
    if (&source == this)
        return;
    states_ = source.states_;
    expression_ = source.expression_;
    parsePos_ = source.parsePos_;
    caseSensitive_ = source.caseSensitive_;
    startState_ = source.startState_;
    firstCharsKnown_ = false;
}

int TGRegularExpression::AddState(std::uint8_t kind, std::uint8_t ch, const std::bitset<256> &set,
                                  int next1, int next2, bool link)
{
    const int number = int(states_.size());
    TRegExState &state = states_.emplace_back();
    state.Kind = kind;
    state.Next1 = link ? number + 1 : next1;
    state.Next2 = next2;
    if (kind == rskChar)
        state.Char = ch;
    if (kind == rskSet || kind == rskNotSet)
        state.Set = set;
    return number;
}

void TGRegularExpression::Compile()
{
    firstCharsKnown_ = false;
    states_.clear();
    startState_ = 0;
    if (expression_.empty())
        return;
    working_ = RewriteAnchors(expression_);
    parsePos_ = 1;
    groupDepth_ = 0;
    try {
        startState_ = ParseExpression();
    } catch (const ERXException &) {
        // A half-built automaton has dangling links; keep none, so the next
        // search compiles again and reports the same error.
        states_.clear();
        startState_ = 0;
        working_.clear();
        throw;
    }
    working_.clear();
    AddState(rskFinal, 0, {}, -1, -1, false);
    Optimize();
}

// Expression: a term, or a term "|" expression. The first alternative falls
// into a jump past the second.
int TGRegularExpression::ParseExpression()
{
    int term = ParseTerm();
    if (Current() != '|' || AtEnd())
        return term;
    std::vector<int> jumps;
    int result = -1;
    int openBranch = -1;
    while (Current() == '|' && !AtEnd()) {
        ++parsePos_;
        jumps.push_back(AddState(rskBranch, 0, {}, -1, -1, false));
        const int branch = AddState(rskBranch, 0, {}, term, -1, false);
        if (openBranch < 0)
            result = branch;
        else
            states_[openBranch].Next2 = branch;
        openBranch = branch;
        term = ParseTerm();
    }
    states_[openBranch].Next2 = term;
    for (int jump : jumps)
        states_[jump].Next1 = int(states_.size());
    return result;
}

// Term: factors in sequence, each ending by falling into a link to the next.
int TGRegularExpression::ParseTerm()
{
    const int first = ParseFactor();
    for (;;) {
        const unsigned char ch = Current();
        const bool startsFactor = ch == '(' || ch == '.' || ch == '[' || (ch != 0 && !IsMeta(ch));
        if (AtEnd() || !startsFactor)
            return first;
        const int link = AddState(rskBranch, 0, {}, -1, -1, false);
        states_[link].Next1 = ParseFactor();
    }
}

int TGRegularExpression::ParseFactor()
{
    const int atom = ParseAtom();
    switch (Current()) {
    case '*':
        ++parsePos_;
        return AddState(rskBranch, 0, {}, -1, atom, true);
    case '+':
        ++parsePos_;
        AddState(rskBranch, 0, {}, -1, atom, true);
        return atom;
    case '?': {
        ++parsePos_;
        const int jump = AddState(rskBranch, 0, {}, -1, -1, false);
        const int entry = AddState(rskBranch, 0, {}, atom, jump, false);
        states_[jump].Next1 = int(states_.size());
        return entry;
    }
    default:
        return atom;
    }
}

int TGRegularExpression::ParseAtom()
{
    if (AtEnd())
        return ParseLiteral();
    switch (Current()) {
    case '(': {
        if (groupDepth_ >= MaxGroupDepth)
            throw ERXException(NestedTooDeeply);
        ++parsePos_;
        ++groupDepth_;
        const int result = ParseExpression();
        --groupDepth_;
        if (AtEnd() || Current() != ')')
            throw ERXException(MissingCloseParentheses);
        ++parsePos_;
        return result;
    }
    case '.':
        ++parsePos_;
        return AddState(rskAny, 0, {}, -1, -1, true);
    case '[': {
        ++parsePos_;
        std::uint8_t kind = rskSet;
        if (!AtEnd() && Current() == '^') {
            ++parsePos_;
            kind = rskNotSet;
        }
        std::bitset<256> set;
        ParseClassItems(set);
        if (AtEnd() || Current() != ']')
            throw ERXException(MissingCloseBracket);
        ++parsePos_;
        return AddState(kind, 0, set, -1, -1, true);
    }
    default:
        return ParseLiteral();
    }
}

int TGRegularExpression::ParseLiteral()
{
    if (AtEnd())
        throw ERXException(UnexpectedEnd);
    unsigned char ch = Current();
    if (IsMeta(ch))
        throw ERXException(UnexpectedMeta);
    if (ch == '\\') {
        ++parsePos_;
        // A backslash cannot end the expression: it would escape nothing.
        if (AtEnd())
            throw ERXException(UnexpectedEnd);
        ch = Current();
    }
    ++parsePos_;
    return AddState(rskChar, Cased(ch), {}, -1, -1, true);
}

// Items up to the closing bracket (or the end, which the caller reports).
void TGRegularExpression::ParseClassItems(std::bitset<256> &set)
{
    do {
        const unsigned char first = ParseClassChar();
        if (!AtEnd() && Current() == '-') {
            ++parsePos_;
            const unsigned char last = ParseClassChar();
            for (int ch = std::min(first, last); ch <= std::max(first, last); ++ch)
                set.set(Cased(ch));
        } else {
            set.set(Cased(first));
        }
    } while (!AtEnd() && Current() != ']');
}

unsigned char TGRegularExpression::ParseClassChar()
{
    if (AtEnd())
        throw ERXException(UnexpectedEnd);
    unsigned char ch = Current();
    if (ch == '-' || ch == ']')
        throw ERXException(UnexpectedMeta);
    if (ch == '\\') {
        ++parsePos_;
        if (AtEnd())
            throw ERXException(UnexpectedEnd);
        ch = Current();
    }
    ++parsePos_;
    return ch;
}

// Every link that leads to a plain jump (a branch with one successor) is
// pointed past it; the jumps themselves become inert.
void TGRegularExpression::Optimize()
{
    firstCharsKnown_ = false;
    const int count = int(states_.size());
    auto isPlainJump = [&](int n) {
        return n >= 0 && n < count && states_[n].Kind == rskBranch && states_[n].Next2 == -1;
    };
    // Jumps only lead forward, so each chain ends within count steps; the
    // bound guards against automata assembled otherwise.
    auto bypass = [&](int &link) {
        for (int steps = 0; steps < count && isPlainJump(link); ++steps)
            link = states_[link].Next1;
    };
    for (int n = 0; n + 1 < count; ++n) {
        bypass(states_[n].Next1);
        if (states_[n].Next2 != -1)
            bypass(states_[n].Next2);
    }
    for (int n = 0; n + 1 < count; ++n)
        if (isPlainJump(n))
            states_[n].Kind = rskInert;
}

void TGRegularExpression::RestartGenerations()
{
    std::fill(visited_.begin(), visited_.end(), 0u);
    generation_ = 1;
}

// Breadth-first walk: the queue holds the states of the current position in
// front of the scan marker and those of the next position behind it, so the
// first final state reached gives the shortest match. A state is examined
// once per position; without that, a loop of branches that consumes nothing
// (such as "(a*)*") would keep the walk going forever.
bool TGRegularExpression::MatchAt(const std::string &text, int start, int &length)
{
    length = 0;
    const int count = int(states_.size());
    if (start < 1 || count == 0)
        return false;
    if (int(visited_.size()) != count)
        visited_.assign(count, 0u);

    const int textLength = int(text.size());
    queue_.Clear();
    queue_.Put(Entry(ScanMarker));
    queue_.Put(Entry(startState_));
    int i = start - 1;
    unsigned char ch = 0;
    unsigned generation = NextGeneration();

    auto firstVisit = [&](std::intptr_t n) {
        if (n < 0 || n >= count || visited_[n] == generation)
            return false;
        visited_[n] = generation;
        return true;
    };
    auto pushSuccessors = [&](const TRegExState &state) {
        if (state.Next2 != -1)
            queue_.Insert(0, Entry(state.Next2));
        queue_.Insert(0, Entry(state.Next1));
    };

    while (i <= textLength && !queue_.IsEmpty()) {
        const std::intptr_t n = Number(queue_.Pop());
        if (n == ScanMarker) {
            if (queue_.IsEmpty())
                break;
            ++i;
            if (i <= textLength)
                ch = Cased(static_cast<unsigned char>(text[i - 1]));
            queue_.Put(Entry(ScanMarker));
            generation = NextGeneration();
            continue;
        }
        if (!firstVisit(n))
            continue;
        const TRegExState &state = states_[n];
        switch (state.Kind) {
        case rskBranch:
            pushSuccessors(state);
            break;
        case rskAny:
            queue_.Put(Entry(state.Next1));
            break;
        case rskChar:
            if (ch == state.Char)
                queue_.Put(Entry(state.Next1));
            break;
        case rskSet:
            if (state.Set[ch])
                queue_.Put(Entry(state.Next1));
            break;
        case rskNotSet:
            if (!state.Set[ch])
                queue_.Put(Entry(state.Next1));
            break;
        case rskFinal:
            length = i - start;
            return true;
        default:
            break;
        }
    }

    // The text is used up: only moves that consume nothing remain.
    while (!queue_.IsEmpty()) {
        const std::intptr_t n = Number(queue_.Pop());
        if (n == ScanMarker || !firstVisit(n))
            continue;
        const TRegExState &state = states_[n];
        if (state.Kind == rskBranch) {
            pushSuccessors(state);
        } else if (state.Kind == rskFinal) {
            length = i - start + (i <= textLength ? 1 : 0);
            return true;
        }
    }
    return false;
}

// The characters the walk can consume first from the start state, and
// whether it reaches the final state without consuming any: a match cannot
// begin at a position whose character is not among them.
void TGRegularExpression::FindFirstChars()
{
    const int count = int(states_.size());
    firstChars_.reset();
    matchesEmpty_ = false;
    std::vector<bool> seen(count, false);
    std::vector<int> pending{startState_};
    while (!pending.empty()) {
        const int n = pending.back();
        pending.pop_back();
        if (n < 0 || n >= count || seen[n])
            continue;
        seen[n] = true;
        const TRegExState &state = states_[n];
        switch (state.Kind) {
        case rskBranch:
            pending.push_back(state.Next1);
            if (state.Next2 != -1)
                pending.push_back(state.Next2);
            break;
        case rskAny:
            firstChars_.set();
            break;
        case rskChar:
            firstChars_.set(state.Char);
            break;
        case rskSet:
            firstChars_ |= state.Set;
            break;
        case rskNotSet:
            firstChars_ |= ~state.Set;
            break;
        case rskFinal:
            matchesEmpty_ = true;
            break;
        default:
            break;
        }
    }
    firstCharsKnown_ = true;
}

int TGRegularExpression::Find(const std::string &text, int start, int &length)
{
    length = 0;
    if (expression_.empty())
        return 0;
    if (states_.empty())
        Compile();
    const int textLength = int(text.size());
    if (textLength == 0 || start > textLength)
        return 0;
    if (!firstCharsKnown_)
        FindFirstChars();
    for (int position = std::max(start, 1); position <= textLength; ++position) {
        const unsigned char first = Cased(static_cast<unsigned char>(text[position - 1]));
        if (!matchesEmpty_ && !firstChars_[first])
            continue;
        if (MatchAt(text, position, length))
            return position;
    }
    length = 0;
    return 0;
}

int TGRegularExpression::FindFirst(const std::string &text, int &length)
{
    return Find(text, 1, length);
}

int TGRegularExpression::Matches(const std::string &text)
{
    int length = 0;
    return FindFirst(text, length);
}
