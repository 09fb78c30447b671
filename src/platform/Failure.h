// The one kind of error that ends an entry run.
//
// Everything below the start handler lets failures pass up (a key string it cannot send,
// a hand-off file it cannot write or read, a counter that is not a number, a file beyond
// the row limits); the start handler catches Failure, ends the run and shows the apology.
#pragma once

#include <stdexcept>
#include <string>

namespace tamvera {

class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace tamvera
