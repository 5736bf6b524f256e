#pragma once

// Design-time behaviour of a designed control: csEdit lets a string grid take
// mouse input itself while designing.
enum TControlStatus { csDefault = 0, csEdit = 1 };
