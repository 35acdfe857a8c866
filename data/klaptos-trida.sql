-- Klaptos: the database of school classes. Pupils' results arrive here from their computers;
-- each pupil may add and read only his or her own results, the teacher reads those of the
-- class, and nobody else reads anything.
--
-- `klaptos --create-class` runs this file as the database's owner or a superuser before it
-- creates a class; it may run again at any time and changes nothing that is in place.
-- Roles are the server's own, shared by its databases:
--   klaptos_member    every login of Klaptos (may see the schema's version)
--   klaptos_pupils    every pupil; klaptos_trida_<class> the pupils of one class
--   klaptos_teachers  every teacher

SET client_min_messages = warning;

CREATE SCHEMA IF NOT EXISTS klaptos;
REVOKE ALL ON SCHEMA klaptos FROM PUBLIC;

CREATE TABLE IF NOT EXISTS klaptos.schema_version (
    only_row boolean PRIMARY KEY DEFAULT true CHECK (only_row),
    version integer NOT NULL
);

-- A database made by a newer program is left alone: its tables may mean something else.
DO $$
DECLARE
    found integer := (SELECT version FROM klaptos.schema_version);
BEGIN
    IF found > 1 THEN
        RAISE EXCEPTION 'Databázi třídy založila novější verze Klaptosu (verze schématu %).',
            found USING ERRCODE = 'KL001';
    END IF;
END $$;

INSERT INTO klaptos.schema_version (version) VALUES (1) ON CONFLICT (only_row) DO NOTHING;

DO $$
BEGIN
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'klaptos_member') THEN
        CREATE ROLE klaptos_member NOLOGIN;
    END IF;
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'klaptos_pupils') THEN
        CREATE ROLE klaptos_pupils NOLOGIN IN ROLE klaptos_member;
    END IF;
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'klaptos_teachers') THEN
        CREATE ROLE klaptos_teachers NOLOGIN IN ROLE klaptos_member;
    END IF;
END $$;

CREATE TABLE IF NOT EXISTS klaptos.classes (
    name text PRIMARY KEY,
    group_role name NOT NULL UNIQUE,
    teacher name NOT NULL,
    created_at timestamptz NOT NULL DEFAULT now()
);

CREATE TABLE IF NOT EXISTS klaptos.pupils (
    login name PRIMARY KEY,
    class_name text NOT NULL REFERENCES klaptos.classes (name) ON UPDATE CASCADE,
    added_at timestamptz NOT NULL DEFAULT now()
);

-- One finished text, copy test or training summary. The id is made by the pupil's program
-- when the result is queued, so that a result sent again is recognised and skipped.
CREATE TABLE IF NOT EXISTS klaptos.results (
    id uuid PRIMARY KEY,
    pupil name NOT NULL DEFAULT session_user,
    kind text NOT NULL
        CHECK (kind IN ('lesson', 'own_text', 'practice', 'copy_test', 'training')),
    ended_at timestamptz NOT NULL,
    received_at timestamptz NOT NULL DEFAULT now(),
    lesson smallint CHECK (lesson BETWEEN 1 AND 44),
    qwertz boolean,
    title text,
    keystrokes integer NOT NULL CHECK (keystrokes >= 0),
    correct integer NOT NULL CHECK (correct >= 0),
    errors integer NOT NULL CHECK (errors >= 0),
    typing_ms integer NOT NULL CHECK (typing_ms >= 0),
    average_speed integer NOT NULL,          -- all keystrokes per minute
    absolute_speed integer NOT NULL,         -- correct keystrokes per minute
    net_speed integer,                       -- a copy test's net keystrokes per minute
    error_grade smallint CHECK (error_grade BETWEEN 1 AND 5),
    speed_grade smallint CHECK (speed_grade BETWEEN 1 AND 5),
    grade smallint CHECK (grade BETWEEN 1 AND 5), -- a copy test's grade; NULL when it failed
    passed boolean NOT NULL,
    key_errors jsonb NOT NULL DEFAULT '{}',  -- {"ř": 3, "\n": 1}: wrong keystrokes by character
    details jsonb NOT NULL DEFAULT '{}',     -- figures of the kind's own (a training summary's)
    -- A timed copy's own figures. Its keystrokes are the norm's gross keystrokes, its correct
    -- ones the net keystrokes after the penalties, its speeds gross and net per minute.
    minutes smallint CHECK (minutes BETWEEN 1 AND 20),
    rules text CHECK (rules IN ('school', 'competition')),
    gross_speed integer CHECK (gross_speed >= 0),
    accuracy numeric(5, 2) CHECK (accuracy BETWEEN 0 AND 100), -- 100 % less the error rate
    CHECK (kind <> 'copy_test' OR (minutes IS NOT NULL AND rules IS NOT NULL
                                   AND gross_speed IS NOT NULL AND net_speed IS NOT NULL
                                   AND accuracy IS NOT NULL))
);
CREATE INDEX IF NOT EXISTS results_by_pupil ON klaptos.results (pupil, ended_at);

-- Who asks, as the policies see it: the login itself, which SET ROLE does not change.
CREATE OR REPLACE FUNCTION klaptos.is_pupil() RETURNS boolean
LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, pg_temp
AS $$ SELECT EXISTS (SELECT FROM klaptos.pupils WHERE login = session_user) $$;

CREATE OR REPLACE FUNCTION klaptos.teaches(the_pupil name) RETURNS boolean
LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, pg_temp
AS $$
    SELECT EXISTS (
        SELECT FROM klaptos.pupils p JOIN klaptos.classes c ON c.name = p.class_name
        WHERE p.login = the_pupil AND c.teacher = session_user)
$$;

-- What the program asks after it connected: a pupil or a teacher, of which class.
CREATE OR REPLACE FUNCTION klaptos.membership() RETURNS TABLE (role text, class_name text)
LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, pg_temp
AS $$
    SELECT 'teacher', name FROM klaptos.classes WHERE teacher = session_user
    UNION ALL
    SELECT 'pupil', class_name FROM klaptos.pupils WHERE login = session_user
    ORDER BY 1, 2
$$;

-- The teacher's pupils, also those without a result yet.
CREATE OR REPLACE FUNCTION klaptos.class_pupils() RETURNS TABLE (login name, class_name text)
LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, pg_temp
AS $$
    SELECT p.login, p.class_name
    FROM klaptos.pupils p JOIN klaptos.classes c ON c.name = p.class_name
    WHERE c.teacher = session_user
    ORDER BY 2, 1
$$;

-- A class, its group role and its teacher's login. `secret` is the password's SCRAM
-- verifier; an existing teacher keeps the password unless `renew`. Returns 'new', 'kept' or
-- 'renewed' for the teacher's login.
CREATE OR REPLACE FUNCTION klaptos.create_class(the_class text, the_teacher text, secret text,
                                                renew boolean) RETURNS text
LANGUAGE plpgsql SET search_path = pg_catalog, pg_temp
AS $$
DECLARE
    slug text := trim(both '_' from lower(regexp_replace(the_class, '[^A-Za-z0-9]+', '_', 'g')));
    group_name text := 'klaptos_trida_' || left(slug, 32) || '_' || left(md5(the_class), 6);
    outcome text := 'kept';
BEGIN
    IF EXISTS (SELECT FROM klaptos.pupils WHERE login = the_teacher) THEN
        RAISE EXCEPTION 'Přihlašovací jméno „%“ patří žákovi.', the_teacher USING ERRCODE = 'KL003';
    END IF;
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = group_name) THEN
        EXECUTE format('CREATE ROLE %I NOLOGIN IN ROLE klaptos_pupils', group_name);
    END IF;
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = the_teacher) THEN
        EXECUTE format('CREATE ROLE %I LOGIN PASSWORD %L IN ROLE klaptos_teachers',
                       the_teacher, secret);
        outcome := 'new';
    ELSIF NOT pg_has_role(the_teacher, 'klaptos_member', 'MEMBER') THEN
        RAISE EXCEPTION 'Přihlašovací jméno „%“ už na serveru patří někomu mimo Klaptos.',
            the_teacher USING ERRCODE = 'KL004';
    ELSE
        EXECUTE format('GRANT klaptos_teachers TO %I', the_teacher);
        IF renew THEN
            EXECUTE format('ALTER ROLE %I PASSWORD %L', the_teacher, secret);
            outcome := 'renewed';
        END IF;
    END IF;
    INSERT INTO klaptos.classes (name, group_role, teacher)
    VALUES (the_class, group_name, the_teacher)
    ON CONFLICT (name) DO UPDATE SET teacher = EXCLUDED.teacher;
    RETURN outcome;
END $$;

-- A pupil's login in a class (moved there from another class of the database). Returns
-- 'new', 'kept' or 'renewed' as create_class.
CREATE OR REPLACE FUNCTION klaptos.add_pupil(the_class text, the_login text, secret text,
                                             renew boolean) RETURNS text
LANGUAGE plpgsql SET search_path = pg_catalog, pg_temp
AS $$
DECLARE
    group_name name := (SELECT group_role FROM klaptos.classes WHERE name = the_class);
    old_group name := (SELECT c.group_role FROM klaptos.pupils p
                       JOIN klaptos.classes c ON c.name = p.class_name
                       WHERE p.login = the_login);
    outcome text := 'kept';
BEGIN
    IF group_name IS NULL THEN
        RAISE EXCEPTION 'Třída „%“ v databázi není.', the_class USING ERRCODE = 'KL002';
    END IF;
    IF EXISTS (SELECT FROM klaptos.classes WHERE teacher = the_login) THEN
        RAISE EXCEPTION 'Přihlašovací jméno „%“ patří učiteli.', the_login USING ERRCODE = 'KL003';
    END IF;
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = the_login) THEN
        EXECUTE format('CREATE ROLE %I LOGIN PASSWORD %L IN ROLE %I',
                       the_login, secret, group_name);
        outcome := 'new';
    ELSIF NOT pg_has_role(the_login, 'klaptos_member', 'MEMBER') THEN
        RAISE EXCEPTION 'Přihlašovací jméno „%“ už na serveru patří někomu mimo Klaptos.',
            the_login USING ERRCODE = 'KL004';
    ELSE
        IF old_group IS NOT NULL AND old_group <> group_name THEN
            EXECUTE format('REVOKE %I FROM %I', old_group, the_login);
        END IF;
        EXECUTE format('GRANT %I TO %I', group_name, the_login);
        IF renew THEN
            EXECUTE format('ALTER ROLE %I PASSWORD %L', the_login, secret);
            outcome := 'renewed';
        END IF;
    END IF;
    INSERT INTO klaptos.pupils (login, class_name) VALUES (the_login, the_class)
    ON CONFLICT (login) DO UPDATE SET class_name = EXCLUDED.class_name;
    RETURN outcome;
END $$;

-- Row-level security: a pupil adds and reads only his or her own rows, the teacher reads the
-- rows of the class's pupils. Nobody may change or delete a row: no such right is granted.
ALTER TABLE klaptos.results ENABLE ROW LEVEL SECURITY;

DROP POLICY IF EXISTS pupil_reads_own ON klaptos.results;
CREATE POLICY pupil_reads_own ON klaptos.results FOR SELECT TO klaptos_pupils
    USING (pupil = session_user);

DROP POLICY IF EXISTS pupil_adds_own ON klaptos.results;
CREATE POLICY pupil_adds_own ON klaptos.results FOR INSERT TO klaptos_pupils
    WITH CHECK (pupil = session_user AND klaptos.is_pupil());

DROP POLICY IF EXISTS teacher_reads_class ON klaptos.results;
CREATE POLICY teacher_reads_class ON klaptos.results FOR SELECT TO klaptos_teachers
    USING (klaptos.teaches(pupil));

REVOKE ALL ON ALL TABLES IN SCHEMA klaptos FROM PUBLIC;
REVOKE ALL ON ALL FUNCTIONS IN SCHEMA klaptos FROM PUBLIC;
GRANT USAGE ON SCHEMA klaptos TO klaptos_member;
GRANT SELECT ON klaptos.schema_version TO klaptos_member;
GRANT EXECUTE ON FUNCTION klaptos.is_pupil(), klaptos.teaches(name), klaptos.membership()
    TO klaptos_member;
GRANT EXECUTE ON FUNCTION klaptos.class_pupils() TO klaptos_teachers;
-- The pupil and the time of arrival are the server's to set.
GRANT SELECT ON klaptos.results TO klaptos_pupils, klaptos_teachers;
GRANT INSERT (id, kind, ended_at, lesson, qwertz, title, keystrokes, correct, errors, typing_ms,
              average_speed, absolute_speed, net_speed, error_grade, speed_grade, grade, passed,
              key_errors, details, minutes, rules, gross_speed, accuracy)
    ON klaptos.results TO klaptos_pupils;
