#pragma once

namespace kelcc::core::common {

// The two languages of the workbench's texts and the controller's messages.
enum class Language { Chinese, English };

}  // namespace kelcc::core::common
