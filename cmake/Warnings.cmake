# The project's own code builds with these warnings and none of them firing.
function(brevane_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
