#pragma once

// Where a publish goes; stored as these numbers.
enum PublishTarget {
    PublishTargetPreview = 0,
    PublishTargetLan = 1,
    PublishTargetWeb = 2,
    PublishTargetLms = 3,
    PublishTargetStandalone = 4,
};
