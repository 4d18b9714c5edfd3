#pragma once

namespace talven {

// talven-report's exit statuses; 64 and 74 are the usual ones for a wrong
// command line and for an output that could not be written. A batch run ends
// with the largest status it met.
enum ExitStatus : int {
    ExitWritten = 0,
    ExitRefused = 1,      // the study file was refused
    ExitNotReady = 2,     // no report can be made of the study
    ExitCannotWrite = 3,  // the PDF (or the table) could not be written
    ExitUsage = 64,       // a wrong command line, an output refused included
    ExitLostOutput = 74,  // the verdict lines could not be written to standard output
};

}  // namespace talven
