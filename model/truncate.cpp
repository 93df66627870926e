#include "model/truncate.h"

int TruncateToInt(double v)
{
    // Every value strictly between these bounds truncates into int's range;
    // NaN fails both comparisons. Casting anything else would be undefined.
    if (v > -2147483649.0 && v < 2147483648.0) {
        return static_cast<int>(v);
    }
    return UnrepresentableInt;
}
