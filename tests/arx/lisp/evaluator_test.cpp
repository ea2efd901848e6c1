// The evaluator: built-ins, special forms, errors, module functions and symbol
// tables through the host interface.
#include "arx/db/SymbolNameCase.h"
#include "arx/dxf/DxfTextCodec.h"
#include "arx/lisp/LispEnvironment.h"
#include "arx/lisp/LispError.h"
#include "arx/lisp/LispPrinter.h"

#include <gtest/gtest.h>

namespace {

// A host that records what the evaluator asks of it.
class FakeHost : public LispHost {
public:
  void print(const std::string& text) override { printed += text; }
  LispRef invokeExternal(const LispObject& fn, const LispRef& args) override
  {
    calls += fn.text + "#" + std::to_string(fn.integer) + lispPrin1(args) + ";";
    return lispStr("from " + fn.text);
  }
  bool loadModule(const std::string& path) override
  {
    loaded += path + ";";
    return path != "missing.arx";
  }
  bool unloadModule(const std::string& path) override { return path == "loaded.arx"; }
  // The LAYER table holds `layers`; an empty name stands for an erased record.
  LispRef tableRecord(const std::string& table, std::size_t position, std::size_t& next) override
  {
    ++recordCalls;
    for (std::size_t i = position; table == "LAYER" && i < layers.size(); ++i) {
      if (!layers[i].empty()) {
        next = i + 1;
        return layerRecord(layers[i]);
      }
    }
    return nullptr;
  }
  LispRef tableSearch(const std::string& table, const std::string& name, std::size_t& next) override
  {
    for (std::size_t i = 0; table == "LAYER" && i < layers.size(); ++i) {
      if (!layers[i].empty() && symbolNameKey(layers[i].c_str()) == symbolNameKey(name.c_str())) {
        next = i + 1;
        return layerRecord(layers[i]);
      }
    }
    return nullptr;
  }
  static LispRef layerRecord(const std::string& name)
  {
    LispListBuilder record;
    record.add(lispPair(0, lispStr("LAYER")));
    record.add(lispPair(2, lispStr(name)));
    record.add(lispPair(70, lispInt(0)));
    record.add(lispPair(62, lispInt(7)));
    return record.finish();
  }

  // entnext gives the entities of `drawing` in order, entget a list naming each.
  LispRef entityNext(const LispRef& entity) override
  {
    long next = 0;
    if (entity)
      next = static_cast<int*>(entity->module) - drawing + 1;
    return next < 2 ? lispEname(drawing + next) : nullptr;
  }
  LispRef entityList(const LispRef& entity) override
  {
    LispListBuilder list;
    list.add(lispPair(-1, entity));
    list.add(lispPair(0, lispStr(*static_cast<int*>(entity->module) == 7 ? "LINE" : "ARC")));
    return list.finish();
  }

  int drawing[2] = {7, 8};
  std::string printed;                                       // everything printed
  std::string calls;                                         // NAME#code(args); per module call
  std::string loaded;                                        // paths passed to loadModule
  std::vector<std::string> layers = {"0", "Walls", "Doors"}; // the LAYER table
  int recordCalls = 0;                                       // tableRecord calls
};

class LispEvaluator : public ::testing::Test {
protected:
  std::string eval(const std::string& text) { return env.evaluate(text).printed; }

  FakeHost host;
  LispEnvironment env{&host};
};

struct Case {
  const char* input;
  const char* printed;
};

TEST_F(LispEvaluator, builtins_give_the_results_the_command_line_prints)
{
  const Case cases[] = {
      {"(setq a 1 b \"x\")", "\"x\""},
      {"(list 1 \"a\" 'b 2.5 nil t)", "(1 \"a\" B 2.5 nil T)"},
      {"(cons 1 '(2 3))", "(1 2 3)"},
      {"(cons 1 2)", "(1 . 2)"},
      {"(cons '(1) nil)", "((1))"},
      {"(car '(1 2))", "1"},
      {"(cdr '(1 2))", "(2)"},
      {"(cdr '(1 . 2))", "2"},
      {"(car nil)", "nil"},
      {"(cdr nil)", "nil"},
      {"(assoc 2 '((1 . \"a\") (2 . \"b\")))", "(2 . \"b\")"},
      {"(assoc \"k\" '((\"K\" 1) (\"k\" 2)))", "(\"k\" 2)"},
      {"(assoc '(1 2) '(((1 2) . ok)))", "((1 2) . OK)"},
      {"(assoc 9 '((1 . 2)))", "nil"},
      {"(not nil)", "T"},
      {"(null '(1))", "nil"},
      {"(= 1 1.0)", "T"},
      {"(= 2 2 3)", "nil"},
      {"(= \"a\" \"a\")", "T"},
      {"(= \"a\" 1)", "nil"},
      {"(eq 'a 'A)", "T"},
      {"(eq \"a\" \"a\")", "nil"},
      {"(eq '(1) '(1))", "nil"},
      {"(strcat \"ab\" \"\" \"cd\")", "\"abcd\""},
      {"(strcat)", "\"\""},
      {"(strcase \"Chair-1\")", "\"CHAIR-1\""},
      {"(strcase \"Chair\" t)", "\"chair\""},
      {"(type 1)", "INT"},
      {"(type 1.0)", "REAL"},
      {"(type \"s\")", "STR"},
      {"(type 'a)", "SYM"},
      {"(type '(1))", "LIST"},
      {"(type car)", "SUBR"},
      {"(type setq)", "SUBR"},
      {"(type nil)", "nil"},
      {"(if nil 1 2)", "2"},
      {"(if 0 1 2)", "1"},
      {"(if nil 1)", "nil"},
      {"(progn 1 2 3)", "3"},
      {"(progn)", "nil"},
      {"(quote (a . b))", "(A . B)"},
      {"unbound-symbol", "nil"},
      {"(princ)", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.printed, eval(c.input)) << "input: " << c.input;
}

TEST_F(LispEvaluator, entity_names_come_from_the_host_and_go_back_to_it)
{
  EXPECT_EQ("ENAME", eval("(type (entnext))"));
  EXPECT_EQ("\"LINE\"", eval("(cdr (assoc 0 (entget (entnext))))"));
  EXPECT_EQ("\"ARC\"", eval("(cdr (assoc 0 (entget (entnext (entnext)))))"));
  EXPECT_EQ("nil", eval("(entnext (entnext (entnext)))"));
  EXPECT_EQ("T", eval("(eq (cdr (assoc -1 (entget (setq e (entnext))))) (entnext))"))
      << "the name in a list is the name given";
  EXPECT_EQ(0u, eval("(entnext)").find("<Entity name: "));
  EXPECT_EQ("; error: bad argument type: lentityp 1", eval("(entget 1)"));
  EXPECT_EQ("; error: bad argument type: lentityp \"x\"", eval("(entnext \"x\")"));
}

TEST_F(LispEvaluator, setq_and_while_loop_until_the_test_fails)
{
  EXPECT_EQ("nil", eval("(setq l nil n '(1 2 3) r nil)"));
  EXPECT_EQ("(3 2 1)", eval("(while n (setq r (cons (car n) r) n (cdr n))) r"));
  EXPECT_EQ("nil", eval("(while nil 1)"));
  EXPECT_EQ("(3 2 1)", eval("r")) << "symbols keep their values between evaluations";
}

TEST_F(LispEvaluator, printing_functions_print_and_return_their_argument)
{
  EXPECT_EQ("\"a\\\"b\"", eval("(princ \"a\\\"b\")"));
  EXPECT_EQ("a\"b", host.printed);
  host.printed.clear();
  eval("(prin1 \"q\") (print 12) (terpri)");
  EXPECT_EQ("\"q\"\n12 \n", host.printed);
}

TEST_F(LispEvaluator, errors_print_one_line_and_leave_the_environment_usable)
{
  const Case cases[] = {
      {"(foo 1)", "; error: no function definition: FOO"},
      {"(car 1)", "; error: bad argument type: consp 1"},
      {"(strcat \"a\" 1)", "; error: bad argument type: stringp 1"},
      {"(strcase 'a)", "; error: bad argument type: stringp A"},
      {"(= '(1) 1)", "; error: bad argument type: numberp (1)"},
      {"(setq 1 2)", "; error: bad argument type: symbolp 1"},
      {"(setq t 2)", "; error: bad argument type: symbolp T"},
      {"(setq a)", "; error: too few arguments"},
      {"(car)", "; error: too few arguments"},
      {"(car '(1) 2)", "; error: too many arguments"},
      {"(if)", "; error: too few arguments"},
      {"(if 1 2 3 4)", "; error: too many arguments"},
      {"(cons 1)", "; error: too few arguments"},
      {"(1 2)", "; error: bad function: 1"},
      {"(car . 1)", "; error: bad argument list: CAR"},
      {"(tblnext \"FOO\")", "; error: bad argument value: invalid table name \"FOO\""},
      {"(list 1", "; error: malformed list on input"},
  };
  for (const Case& c : cases) {
    LispOutcome outcome = env.evaluate(c.input);
    EXPECT_FALSE(outcome.ok) << c.input;
    EXPECT_EQ(c.printed, outcome.printed) << "input: " << c.input;
  }
  EXPECT_EQ("3", eval("(setq z 3)")) << "the environment still works after errors";
}

TEST_F(LispEvaluator, evaluation_stops_at_the_first_error)
{
  LispOutcome outcome = env.evaluate("(setq a 1) (undefined) (setq a 2)");
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ("1", eval("a"));
}

TEST_F(LispEvaluator, module_functions_get_evaluated_arguments_and_give_the_host_result)
{
  int module = 0;
  env.defineExternal("block-list", &module, 1);
  EXPECT_EQ("EXSUBR", eval("(type block-list)"));
  EXPECT_EQ("\"from BLOCK-LIST\"", eval("(setq x 5) (block-list x '(a 1) \"s\")"));
  EXPECT_EQ("BLOCK-LIST#1(5 (A 1) \"s\");", host.calls);

  EXPECT_FALSE(env.undefineExternal("BLOCK-LIST", &module, 0)) << "wrong code";
  int other = 0;
  EXPECT_FALSE(env.undefineExternal("BLOCK-LIST", &other, 1)) << "wrong module";
  env.defineExternal("BLOCK-FILE", &module, 0);
  env.undefineModule(&module);
  EXPECT_EQ("; error: no function definition: BLOCK-LIST", eval("(block-list)"));
  EXPECT_EQ("; error: no function definition: BLOCK-FILE", eval("(block-file)"));
}

TEST_F(LispEvaluator, each_environment_has_its_own_symbols_and_functions)
{
  LispEnvironment other(&host);
  int module = 0;
  env.defineExternal("BLOCK-LIST", &module, 1);
  eval("(setq only-here 1)");
  EXPECT_EQ("nil", other.evaluate("only-here").printed);
  EXPECT_EQ("; error: no function definition: BLOCK-LIST", other.evaluate("(block-list)").printed);
}

TEST_F(LispEvaluator, arxload_returns_the_path_or_the_failure_value)
{
  EXPECT_EQ("\"m.arx\"", eval("(arxload \"m.arx\")"));
  EXPECT_EQ("; error: ARXLOAD failed", eval("(arxload \"missing.arx\")"));
  EXPECT_EQ("FAILED", eval("(arxload \"missing.arx\" 'failed)"));
  EXPECT_EQ("m.arx;missing.arx;missing.arx;", host.loaded);
  EXPECT_EQ("\"loaded.arx\"", eval("(arxunload \"loaded.arx\")"));
  EXPECT_EQ("; error: ARXUNLOAD failed", eval("(arxunload \"other.arx\")"));
  EXPECT_EQ("; error: bad argument type: stringp 1", eval("(arxload 1)"));
}

TEST_F(LispEvaluator, tblnext_walks_the_table_and_tblsearch_finds_any_case)
{
  EXPECT_EQ("\"0\"", eval("(cdr (assoc 2 (tblnext \"layer\")))"));
  EXPECT_EQ("\"Walls\"", eval("(cdr (assoc 2 (tblnext \"LAYER\")))"));
  EXPECT_EQ("\"Doors\"", eval("(cdr (assoc 2 (tblnext \"LAYER\")))"));
  EXPECT_EQ("nil", eval("(tblnext \"LAYER\")"));
  EXPECT_EQ("\"0\"", eval("(cdr (assoc 2 (tblnext \"LAYER\" t)))")) << "rewind";
  EXPECT_EQ("nil", eval("(tblnext \"BLOCK\")")) << "an empty table";

  EXPECT_EQ("((0 . \"LAYER\") (2 . \"Walls\") (70 . 0) (62 . 7))",
            eval("(tblsearch \"LAYER\" \"WALLS\")"));
  EXPECT_EQ("nil", eval("(tblsearch \"LAYER\" \"roof\")"));
  eval("(tblsearch \"LAYER\" \"walls\" t)");
  EXPECT_EQ("\"Doors\"", eval("(cdr (assoc 2 (tblnext \"LAYER\")))")) << "setnext moves tblnext";
}

TEST_F(LispEvaluator, a_tblnext_walk_asks_for_each_record_once_and_goes_on_after_the_last)
{
  host.layers.clear();
  for (int i = 0; i < 2000; ++i)
    host.layers.push_back("L" + std::to_string(i));
  EXPECT_EQ("\"L1999\"", eval("(progn (setq out nil r (tblnext \"LAYER\" t))"
                              "  (while r (setq out (cons (cdr (assoc 2 r)) out)"
                              "                 r (tblnext \"LAYER\")))"
                              "  (car out))"));
  EXPECT_EQ(2001, host.recordCalls) << "one question per record, and one past the last";

  // A record erased during a walk moves none of the others: the walk goes on after
  // the last record it gave.
  host.layers = {"0", "Walls", "Doors"};
  EXPECT_EQ("\"0\"", eval("(cdr (assoc 2 (tblnext \"LAYER\" t)))"));
  host.layers[0].clear();
  EXPECT_EQ("\"Walls\"", eval("(cdr (assoc 2 (tblnext \"LAYER\")))"));
  EXPECT_EQ("\"Doors\"", eval("(cdr (assoc 2 (tblnext \"LAYER\")))"));
  EXPECT_EQ("nil", eval("(tblnext \"LAYER\")"));
  EXPECT_EQ("\"Walls\"", eval("(cdr (assoc 2 (tblnext \"LAYER\" t)))")) << "rewound past it";
  EXPECT_EQ("\"Doors\"", eval("(cdr (assoc 2 (tblsearch \"LAYER\" \"doors\" t)))"));
  EXPECT_EQ("nil", eval("(tblnext \"LAYER\")")) << "setnext on the last record";
  EXPECT_EQ("nil", eval("(tblsearch \"LAYER\" \"0\" t)")) << "an erased record is not found";
  EXPECT_EQ("nil", eval("(tblnext \"LAYER\")")) << "a failed search leaves the walk alone";
}

TEST_F(LispEvaluator, tblsearch_ignores_the_case_of_the_code_pages_letters)
{
  // Code page 1252: "CAFÉ" is "Café" upper-cased, "CAFÈ" another name.
  if (dxfTextCodec().ansiCodePage() != 1252)
    GTEST_SKIP() << "expectations written for ANSI code page 1252";
  host.layers = {"Caf\xE9"};
  EXPECT_EQ("\"Caf\xE9\"", eval("(cdr (assoc 2 (tblsearch \"LAYER\" \"CAF\xC9\")))"));
  EXPECT_EQ("nil", eval("(tblsearch \"LAYER\" \"CAF\xC8\")"));
}

TEST(LispEnvironmentWithoutHost, module_calls_fail_cleanly)
{
  LispEnvironment env(nullptr);
  int module = 0;
  env.defineExternal("F", &module, 0);
  EXPECT_EQ("; error: no function definition: F", env.evaluate("(f)").printed);
  EXPECT_EQ("; error: ARXLOAD failed", env.evaluate("(arxload \"x\")").printed);
  EXPECT_EQ("nil", env.evaluate("(tblnext \"LAYER\")").printed);
}

} // namespace
