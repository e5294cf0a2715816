# A recorded run replays to the same decisions: records a short run, replays its record while
# recording again, and compares the two records line by line.
#   cmake -DCHAOS=<zok_chaos> -DWORK=<folder> -DSEED=<n> -DACTIONS=<n> -P ReplayTest.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${CHAOS}" --seed ${SEED} --actions ${ACTIONS} --no-totals
                        --record "${WORK}/run.decisions"
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the recorded run failed (${status})")
endif()
execute_process(COMMAND "${CHAOS}" --replay "${WORK}/run.decisions" --record "${WORK}/replay.decisions"
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the replay failed (${status})")
endif()

# The comment line names the run; the decisions follow.
file(STRINGS "${WORK}/run.decisions" recorded REGEX "^[^#]")
file(STRINGS "${WORK}/replay.decisions" replayed REGEX "^[^#]")
set(actions ${recorded})
list(FILTER actions EXCLUDE REGEX "^(tick|state) ")
list(LENGTH actions count)
if(count LESS ACTIONS)
  message(FATAL_ERROR "the record holds ${count} decisions, fewer than the ${ACTIONS} actions")
endif()
if(NOT recorded STREQUAL replayed)
  list(LENGTH recorded recordedCount)
  list(LENGTH replayed replayedCount)
  set(line 0)
  while(line LESS recordedCount AND line LESS replayedCount)
    list(GET recorded ${line} a)
    list(GET replayed ${line} b)
    if(NOT a STREQUAL b)
      break()
    endif()
    math(EXPR line "${line} + 1")
  endwhile()
  message(FATAL_ERROR "the replay took other decisions from decision ${line} on "
                      "(${recordedCount} recorded, ${replayedCount} replayed); see ${WORK}")
endif()
