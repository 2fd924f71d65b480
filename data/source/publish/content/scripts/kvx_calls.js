/* Corvessa course run-time: the calls that published files name as text.
 *
 * A screen file lists its start-up statements under "scriptstorun" ("mcObj.question(true)",
 * "kvx.addTableRule('.table1 td', 'padding: 2px;', 1)", "kvxObj.sliderQ = new srObj(true,false,true,false,false,0)",
 * "kvxObj.sliderQ.start = o.argues.start"...), and the outline links its screens with
 * "javascript:fPage(pg[3]);". Each one is read for what it is: a call of a known function, a new object of a
 * known kind or a value put in a known place, with arguments that are literals (numbers, quoted strings,
 * true, false, null, arrays and objects of those) or known values. Nothing is run as script: the statement
 * is parsed here and carried out from fixed tables, and anything the tables do not hold is refused and
 * logged, so an escaping slip in a published file can never become code.
 */
var kvxCalls = (function () {
    "use strict";

    /**
     * A value expression of a statement.
     * @typedef {{ lit: unknown } | { ref: string } | { or: [KvxExpr, KvxExpr] } | KvxCallExpr} KvxExpr
     */
    /**
     * A call ("call") or a new object ("new") of a named function.
     * @typedef {{ call: string, args: KvxExpr[], make: boolean }} KvxCallExpr
     */
    /**
     * One statement: a call, or a value put in a place.
     * @typedef {{ set: string, value: KvxExpr } | { run: KvxExpr }} KvxStatement
     */
    /**
     * What a kind of published file may name.
     * @typedef {Object} KvxCallTable
     * @property {string[]} calls    functions that may be called, as "owner.name" or "name"
     * @property {string[]} makers   functions that may make a new object
     * @property {string[]} places   places a value may be put in
     * @property {string[]} reads    values that may be read; "prefix.*" allows any own value of prefix
     */

    const keywords = { true: true, false: false, null: null };

    class RefusedError extends Error {}

    /**
     * @param {string} why
     * @returns {never}
     */
    function refuse(why) {
        throw new RefusedError(why);
    }

    // ---------------------------------------------------------------------------------------------
    // Tokens: names, numbers, quoted strings and punctuation; blanks between them are skipped.

    /** @typedef {{ kind: "name" | "num" | "str" | "punct", value: string | number, at: number }} KvxToken */

    const escapes = { b: "\b", f: "\f", n: "\n", r: "\r", t: "\t", v: "\v", 0: "\0" };

    /**
     * @param {string} text
     * @param {number} at the index of the opening quote
     * @returns {{ value: string, end: number }}
     */
    function readString(text, at) {
        const quote = text[at];
        let out = "";
        let i = at + 1;
        while (i < text.length) {
            const c = text[i];
            if (c === quote)
                return { value: out, end: i + 1 };
            if (c === "\n" || c === "\r")
                break;
            if (c !== "\\") {
                out += c;
                ++i;
                continue;
            }
            const e = text[i + 1];
            if (e === undefined)
                break;
            if (e === "x" && /^[0-9A-Fa-f]{2}$/.test(text.substr(i + 2, 2))) {
                out += String.fromCharCode(parseInt(text.substr(i + 2, 2), 16));
                i += 4;
            } else if (e === "u" && /^[0-9A-Fa-f]{4}$/.test(text.substr(i + 2, 4))) {
                out += String.fromCharCode(parseInt(text.substr(i + 2, 4), 16));
                i += 6;
            } else if (e === "u" && text[i + 2] === "{") {
                const m = /^\{([0-9A-Fa-f]{1,6})\}/.exec(text.slice(i + 2));
                const code = m ? parseInt(m[1], 16) : -1;
                if (code < 0 || code > 0x10FFFF)
                    refuse("a bad \\u escape");
                out += String.fromCodePoint(code);
                i += 2 + (m ? m[0].length : 0);
            } else if (e === "x" || e === "u") {
                refuse("a bad \\" + e + " escape");
            } else if (e === "\r" || e === "\n") {
                // A line continuation stands for nothing.
                i += e === "\r" && text[i + 2] === "\n" ? 3 : 2;
            } else if (e === "0" && /[0-9]/.test(text[i + 2] || "")) {
                refuse("an octal escape");
            } else {
                out += Object.prototype.hasOwnProperty.call(escapes, e) ? escapes[/** @type {keyof escapes} */ (e)] : e;
                i += 2;
            }
        }
        return refuse("a string without its closing quote");
    }

    /**
     * @param {string} text
     * @returns {KvxToken[]}
     */
    function tokenize(text) {
        /** @type {KvxToken[]} */
        const out = [];
        let i = 0;
        while (i < text.length) {
            const rest = text.slice(i);
            const blank = /^\s+/.exec(rest);
            if (blank) {
                i += blank[0].length;
                continue;
            }
            const name = /^[A-Za-z_$][A-Za-z0-9_$]*/.exec(rest);
            const num = /^(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?/.exec(rest);
            if (name) {
                out.push({ kind: "name", value: name[0], at: i });
                i += name[0].length;
            } else if (num) {
                out.push({ kind: "num", value: Number(num[0]), at: i });
                i += num[0].length;
            } else if (rest[0] === "'" || rest[0] === "\"") {
                const s = readString(text, i);
                out.push({ kind: "str", value: s.value, at: i });
                i = s.end;
            } else if (rest.startsWith("||")) {
                out.push({ kind: "punct", value: "||", at: i });
                i += 2;
            } else if ("()[]{},.:;=-".includes(rest[0])) {
                out.push({ kind: "punct", value: rest[0], at: i });
                i += 1;
            } else {
                refuse("the character " + JSON.stringify(rest[0]));
            }
        }
        return out;
    }

    // ---------------------------------------------------------------------------------------------
    // The parser of the forms that published files hold.

    /** @param {KvxToken[]} tokens */
    function Parser(tokens) {
        this.tokens = tokens;
        this.pos = 0;
    }

    /** @param {string} [punct] */
    Parser.prototype.peek = function (punct) {
        const t = this.tokens[this.pos];
        return punct === undefined ? t : (t && t.kind === "punct" && t.value === punct ? t : undefined);
    };

    /** @param {string} punct */
    Parser.prototype.expect = function (punct) {
        if (!this.peek(punct))
            refuse("\"" + punct + "\" expected" + this.where());
        ++this.pos;
    };

    Parser.prototype.where = function () {
        const t = this.tokens[this.pos];
        return t ? " at " + t.at : " at the end";
    };

    /** @returns {string} a dotted name, with number indexes written as [n] */
    Parser.prototype.path = function () {
        const first = this.tokens[this.pos];
        if (!first || first.kind !== "name")
            refuse("a name expected" + this.where());
        ++this.pos;
        let path = String(first.value);
        for (;;) {
            if (this.peek(".")) {
                ++this.pos;
                const t = this.tokens[this.pos];
                if (!t || t.kind !== "name")
                    refuse("a name expected" + this.where());
                ++this.pos;
                path += "." + t.value;
            } else if (this.peek("[")) {
                ++this.pos;
                const t = this.tokens[this.pos];
                if (!t || t.kind !== "num" || !Number.isInteger(t.value))
                    refuse("an index expected" + this.where());
                ++this.pos;
                this.expect("]");
                path += "[" + t.value + "]";
            } else {
                return path;
            }
        }
    };

    /**
     * Items between brackets, separated by commas.
     * @template T
     * @param {string} open
     * @param {string} close
     * @param {() => T} item
     * @returns {T[]}
     */
    Parser.prototype.list = function (open, close, item) {
        this.expect(open);
        const out = [];
        while (!this.peek(close)) {
            out.push(item());
            if (!this.peek(close))
                this.expect(",");
        }
        this.expect(close);
        return out;
    };

    /** @returns {KvxExpr[]} */
    Parser.prototype.args = function () {
        return this.list("(", ")", () => this.expr());
    };

    /** @returns {KvxExpr} */
    Parser.prototype.expr = function () {
        const left = this.operand();
        if (this.peek("||")) {
            ++this.pos;
            return { or: [left, this.expr()] };
        }
        return left;
    };

    /** @returns {KvxExpr} */
    Parser.prototype.operand = function () {
        const t = this.tokens[this.pos];
        if (!t)
            return refuse("a value expected at the end");
        if (t.kind === "num" || t.kind === "str") {
            ++this.pos;
            return { lit: t.value };
        }
        if (t.kind === "punct") {
            if (t.value === "-") {
                const n = this.tokens[this.pos + 1];
                if (!n || n.kind !== "num")
                    refuse("a number expected" + this.where());
                this.pos += 2;
                return { lit: -Number(n.value) };
            }
            if (t.value === "[")
                return { lit: this.array() };
            if (t.value === "{")
                return { lit: this.object() };
            return refuse("a value expected" + this.where());
        }
        if (Object.prototype.hasOwnProperty.call(keywords, t.value)) {
            ++this.pos;
            return { lit: keywords[/** @type {keyof keywords} */ (t.value)] };
        }
        if (t.value === "new") {
            ++this.pos;
            const name = this.path();
            return { call: name, args: this.args(), make: true };
        }
        const path = this.path();
        if (this.peek("("))
            return { call: path, args: this.args(), make: false };
        return { ref: path };
    };

    // Arrays and objects hold literals only, as the publisher writes them.
    /** @returns {unknown} */
    Parser.prototype.literal = function () {
        const e = this.operand();
        if (!("lit" in e))
            refuse("only literals may stand in an array or object" + this.where());
        return /** @type {{ lit: unknown }} */ (e).lit;
    };

    /** @returns {unknown[]} */
    Parser.prototype.array = function () {
        return this.list("[", "]", () => this.literal());
    };

    /** @returns {Record<string, unknown>} */
    Parser.prototype.object = function () {
        /** @type {Record<string, unknown>} */
        const object = {};
        this.list("{", "}", () => {
            const key = this.tokens[this.pos];
            if (!key || (key.kind !== "name" && key.kind !== "str" && key.kind !== "num"))
                refuse("a key expected" + this.where());
            ++this.pos;
            this.expect(":");
            // defineProperty: a key named __proto__ is a plain key, never the object's prototype.
            Object.defineProperty(object, String(key.value),
                { value: this.literal(), enumerable: true, writable: true, configurable: true });
        });
        return object;
    };

    /** @returns {KvxStatement | null} null at the end of the text */
    Parser.prototype.statement = function () {
        while (this.peek(";"))
            ++this.pos;
        if (this.pos >= this.tokens.length)
            return null;
        const start = this.pos;
        const first = this.tokens[this.pos];
        let statement;
        if (first.kind === "name" && !Object.prototype.hasOwnProperty.call(keywords, first.value) && first.value !== "new") {
            const path = this.path();
            if (this.peek("=")) {
                ++this.pos;
                statement = { set: path, value: this.expr() };
            }
        }
        if (!statement) {
            this.pos = start;
            statement = { run: this.expr() };
        }
        if (this.pos < this.tokens.length && !this.peek(";"))
            refuse("\";\" expected" + this.where());
        return statement;
    };

    /**
     * The statements of a text, or an exception that says why the text is refused.
     * @param {string} text
     * @returns {KvxStatement[]}
     */
    function parse(text) {
        const parser = new Parser(tokenize(String(text)));
        const out = [];
        for (let s = parser.statement(); s; s = parser.statement())
            out.push(s);
        return out;
    }

    // ---------------------------------------------------------------------------------------------
    // Carrying statements out from a table.

    /**
     * The owner and key a path names: its first name from the scope when the scope has it (the screen's o),
     * else from the window.
     * @param {string} path
     * @param {Record<string, unknown>} scope
     * @returns {{ owner: any, key: string }}
     */
    function locate(path, scope) {
        const parts = path.replace(/\[(\d+)\]/g, ".$1").split(".");
        /** @type {any} */
        let owner = Object.prototype.hasOwnProperty.call(scope, parts[0]) ? scope : window;
        for (let i = 0; i < parts.length - 1; ++i) {
            owner = owner === null || owner === undefined ? undefined : owner[parts[i]];
            if (owner === null || (typeof owner !== "object" && typeof owner !== "function"))
                refuse(parts.slice(0, i + 1).join(".") + " is not there");
        }
        return { owner, key: parts[parts.length - 1] };
    }

    /**
     * @param {string[]} list
     * @param {string} path
     */
    function listed(list, path) {
        const generic = path.replace(/\[\d+\]$/, "[*]");
        return list.some(entry => entry === path || entry === generic ||
            (entry.endsWith(".*") && path.startsWith(entry.slice(0, -1)) && !path.slice(entry.length - 1).includes(".")));
    }

    /**
     * @param {KvxExpr} e
     * @param {KvxCallTable} table
     * @param {Record<string, unknown>} scope
     * @returns {unknown}
     */
    function value(e, table, scope) {
        if ("lit" in e)
            return e.lit;
        if ("or" in e)
            return value(e.or[0], table, scope) || value(e.or[1], table, scope);
        if ("ref" in e) {
            const { owner, key } = locate(e.ref, scope);
            return Object.prototype.hasOwnProperty.call(owner, key) ? owner[key] : undefined;
        }
        const args = e.args.map(a => value(a, table, scope));
        const { owner, key } = locate(e.call, scope);
        const fn = owner[key];
        if (typeof fn !== "function")
            refuse(e.call + " is not there");
        return e.make ? Reflect.construct(fn, args) : fn.apply(owner, args);
    }

    /**
     * @param {KvxStatement} s
     * @param {KvxCallTable} table
     * @param {Record<string, unknown>} scope
     */
    function carryOut(s, table, scope) {
        if ("run" in s) {
            value(s.run, table, scope);
            return;
        }
        const v = value(s.value, table, scope);
        const { owner, key } = locate(s.set, scope);
        owner[key] = v;
    }

    /**
     * Carries out a published statement from the table; a statement the table does not allow, or that is
     * not of the published forms, is refused whole before any part of it runs, and logged.
     * @param {string} text
     * @param {KvxCallTable} table
     * @param {Record<string, unknown>} [scope] names that stand before the window's, such as the screen's o
     * @returns {boolean} whether the statement was carried out
     */
    function run(text, table, scope) {
        let statements;
        try {
            statements = parse(text);
            for (const s of statements)
                check(s, table);
        } catch (e) {
            if (!(e instanceof RefusedError))
                throw e;
            console.error("Corvessa: a published statement was refused (" + e.message + "): " + String(text));
            return false;
        }
        try {
            for (const s of statements)
                carryOut(s, table, scope || {});
        } catch (e) {
            if (!(e instanceof RefusedError))
                throw e;
            console.error("Corvessa: a published statement could not be carried out (" + e.message + "): " + String(text));
            return false;
        }
        return true;
    }

    // Whether every name a statement uses is in the table, before anything runs.
    /**
     * @param {KvxStatement | KvxExpr} s
     * @param {KvxCallTable} table
     */
    function check(s, table) {
        if ("set" in s) {
            if (!listed(table.places, s.set))
                refuse("setting " + s.set + " is not allowed");
            check(s.value, table);
        } else if ("run" in s) {
            if (!("call" in s.run))
                refuse("a statement that calls nothing");
            check(s.run, table);
        } else if ("or" in s) {
            check(s.or[0], table);
            check(s.or[1], table);
        } else if ("ref" in s) {
            if (!listed(table.reads, s.ref))
                refuse("reading " + s.ref + " is not allowed");
        } else if ("call" in s) {
            if (!listed(s.make ? table.makers : table.calls, s.call))
                refuse((s.make ? "new " : "") + s.call + " is not a call a published file may make");
            s.args.forEach(a => check(a, table));
        }
    }

    /**
     * What a screen file's start-up statements may do.
     * @type {KvxCallTable}
     */
    const screenTable = Object.freeze({
        calls: ["kvx.createMenu", "kvx.addTableRule", "kvx.drawShapes", "kvx.KB",
                "cpObj.question", "fbObj.question", "mpObj.question", "mcObj.question", "piObj.question",
                "kvxObj.sliderQ.init", "document.getElementById"],
        makers: ["CustomObj", "ftObj", "srObj"],
        places: ["kvxObj.swfQ", "kvxObj.ftQ", "kvxObj.ftQ.email", "kvxObj.ftQ.tableName", "kvxObj.sliderQ",
                 "kvxObj.sliderQ.start", "kvxObj.sliderQ.end", "kvxObj.sliderQ.range", "kvxObj.sliderQ.labels",
                 "kvxObj.sliderQ.words", "kvxObj.sliderQ.numMarkers", "o.argues.obj"],
        reads: ["o.argues.*", "kvxPrefs.table2"]
    });

    /**
     * What the outline's links may do.
     * @type {KvxCallTable}
     */
    const outlineTable = Object.freeze({
        calls: ["fPage", "fMenu"],
        makers: [],
        places: [],
        reads: ["pg[*]"]
    });

    /**
     * What the links and buttons of a screen's markup may do (data-kvx-click).
     * @type {KvxCallTable}
     */
    const linkTable = Object.freeze({
        calls: ["kvx.gotoNewPage", "kvx.popup", "kvx.glossary", "window.print"],
        makers: [],
        places: [],
        reads: []
    });

    return Object.freeze({ parse, run, screenTable, outlineTable, linkTable });
})();
